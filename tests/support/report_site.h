#pragma once

#include "core/check/report_script.h"
#include "core/platform/text_file.h"
#include "php_server.h"
#include "temp_folder.h"

#include <filesystem>
#include <string>

// Web sites served by PHP's built-in server, each a folder under one document root holding
// the generated report script, with a local copy of each in a temporary folder of its own.
class ReportSites {
public:
    ReportSites() : server_(root_.path()) {}

    bool running() const { return server_.running(); }

    // Creates site `name` whose report script carries `password`; returns its address.
    std::string addSite(const std::string& name, const std::string& password) {
        std::filesystem::create_directories(root_.path() / name);
        writeServer(name, "_report.php",
                    fq::FillReportPassword(fq::ReportScriptTemplate(), password));
        return address(name);
    }

    std::string address(const std::string& name) const { return server_.url() + name + "/"; }
    std::string localFolder(const std::string& name) const { return local_.slashed() + name + "/"; }

    void writeServer(const std::string& name, const std::string& path, const std::string& content) {
        write(root_.path() / name / path, content);
    }
    void writeLocal(const std::string& name, const std::string& path, const std::string& content) {
        write(local_.path() / name / path, content);
    }
    void writeBoth(const std::string& name, const std::string& path, const std::string& content) {
        writeServer(name, path, content);
        writeLocal(name, path, content);
    }

private:
    static void write(const std::filesystem::path& file, const std::string& content) {
        std::filesystem::create_directories(file.parent_path());
        fq::WriteTextFile(file.string(), content);
    }

    TempFolder root_;
    TempFolder local_;
    PhpServer server_;
};
