#include "core/sites/watched_types.h"

namespace fq {

std::string WatchedTypesAfterEdit(const std::string& typed) {
    return typed == "reset" ? std::string(kDefaultWatchedTypes) : typed;
}

} // namespace fq
