#include "core/sites/database_backup.h"

#include "core/files/text_file.h"

#include <sys/stat.h>

namespace fq {
namespace {

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

} // namespace

FileOutcome CopyDatabaseFile(const std::string& source, const std::string& target) {
    if (SameFile(source, target)) {
        return {};
    }
    FileOutcome outcome;
    const auto content = ReadWholeFile(source, &outcome);
    return content ? WriteTextFile(target, *content) : outcome;
}

} // namespace fq
