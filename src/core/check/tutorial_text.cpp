#include "core/check/tutorial_text.h"

namespace fq {

const std::string& TutorialText() {
    // Shown as written, including the 30-minute interval and the php-only remark, which are
    // older than the current schedule and watched-types box.
    static const std::string text =
        "How to use this program\r\n"
        "====================\r\n"
        "1. Fill web url and local folder and press Add, example\r\n"
        "Web URL : http://www.yourwebsite.com/\r\n"
        "Folder : c:\\web\\yourwebsite\\\r\n"
        "2. Click Php Code and save code to _report.php and upload to your website.\r\n"
        "3. Press Check Now\r\n"
        "\r\n"
        "Remark\r\n"
        "=======\r\n"
        "1. This program will compare file size of php files both on website and local folder, "
        "if file size change it will show alert box, or show status Changed.\r\n"
        "2. Program will check every 30 minutes.\r\n"
        "3. Program check only php files.\r\n"
        "4. Right click tray icon and check 'Run on Startup' to run this program when windows "
        "start.\r\n"
        "5. This program comes with no warranty of any kind. Malicious code that keeps or fakes "
        "the size of a file can not be found by it.\r\n"
        "\r\n"
        "Why I made this program ?\r\n"
        "======================\r\n"
        "The sites I look after were broken into more than once. Each time a few lines of\r\n"
        "injected script had been added to index.php and home.php, and each time the change\r\n"
        "was found months later, after visitors and search engines had long seen it.\r\n"
        "The files on the server looked normal at a glance; only their size was different.\r\n"
        "A few added bytes are enough to send visitors elsewhere or to spread malware.\r\n"
        "Comparing sizes by hand for every site took too long, so this program does it:\r\n"
        "it checks the php file sizes of every site every 30 minutes.\r\n"
        "\r\n"
        "Contact\r\n"
        "=======\r\n"
        "Ferrow Quorvel is a small free project.\r\n"
        "Web page : http://www.example.com/ferrow-quorvel/\r\n"
        "Questions, bug reports and ideas are welcome through the web page.\r\n"
        "Please do not send your site passwords or report scripts.\r\n"
        "Thank you for using Ferrow Quorvel.\r\n";
    return text;
}

} // namespace fq
