#include "core/check/check_services.h"

namespace fq {

CheckServices RealCheckServices(MessagePump pump, Clock& clock) {
    return {PostForm, std::move(pump), &clock};
}

} // namespace fq
