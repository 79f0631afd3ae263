#pragma once

#include "app/form1_environment.h"
#include "app/form1_ui.h"

#include <QWidget>
#include <string>

namespace fq {

// The main window. It owns all long-lived state: the site list is the rows of `lvWeb`, the
// watched types are the text of `txtFileType`, the report script is `txtPHP` element 0.
class Form1 : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kWindowCaption = "Ferrow Quorvel 2020 - v1.4 - Freeware";

    explicit Form1(Form1Environment environment, QWidget* parent = nullptr);

    // The start-up sequence: caption, site database, then the window is shown.
    void Form_Load();

    // Replaces the site list and settings by the content of the database file.
    void LoadWebDatabase();

    // Writes the whole database file from the live state.
    void SaveAll();

    // The exit sequence: save once, then end the event loop without any close handling.
    void mExit_Click();

    const Form1Ui& ui() const { return ui_; }
    const std::string& appFolder() const { return environment_.appFolder; }
    const std::string& reportPassword() const { return ReportPassword; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void PlaceWindow();
    void Form_Resize();
    void txtFileType_Change();
    std::string databasePath() const;

    Form1Environment environment_;
    Form1Ui ui_;
    std::string ReportPassword;
};

} // namespace fq
