#include "core/check/report_script.h"

#include "core/text/path_text.h"

namespace fq {

const std::string& ReportScriptTemplate() {
    // The full "<?php" tag: servers with short tags off would serve "<?" as plain text. Missing
    // fields become defaults rather than warnings that name the server's folders; "===" keeps
    // PHP from taking "0e1" for "0"; a path that could leave the site gets an empty field,
    // like a missing file, so the fields keep their places.
    static const std::string text = "<?php\r\n"
                                    "// 1. Upload this file to \r\n"
                                    "// http://www.yourwebsite.com/_report.php\r\n"
                                    "\r\n"
                                    "// 2. Change $pw for security.\r\n"
                                    "\r\n"
                                    "$_POST += array('pw' => null, 'path' => '');\r\n"
                                    "if ($_POST['pw']===\"lark\") {\r\n"
                                    "\t$path = $_POST['path'];\r\n"
                                    "\r\n"
                                    "\t$t1=explode(\"\\r\\n\", $path); $len=count($t1); $s1='';\r\n"
                                    "\tfor ($i=0; $i<$len; $i++) {\r\n"
                                    "\t\tif ($t1[$i] !='') {\r\n"
                                    "\t\t\t$p=$t1[$i];\r\n"
                                    "\t\t\t$outside=strpos($p, '://')!==false || $p[0]=='/' || "
                                    "in_array('..', explode('/', $p), true);\r\n"
                                    "\t\t\t$i1=$outside ? '' : @filesize($p); $s1.=\"$i1-\";\r\n"
                                    "\t\t}\r\n"
                                    "\t}\r\n"
                                    "\techo $s1;\r\n"
                                    "}\r\n"
                                    "?>\r\n";
    return text;
}

std::string FillReportPassword(const std::string& script, const std::string& password) {
    return ReplaceAll(script, kTemplatePassword, password);
}

std::optional<std::string> PasswordInScript(const std::string& script) {
    for (const std::string& line : SplitText(script, "\r\n")) {
        if (line.find("if ($_POST['pw']") != std::string::npos) {
            const std::vector<std::string> pieces = SplitText(line, "\"");
            return pieces.size() > 1 ? pieces[1] : std::string();
        }
    }
    return std::nullopt;
}

} // namespace fq
