#pragma once

#include "core/platform/text_file.h"
#include "fake_banner_browser.h"
#include "gui/file_dialog_runner.h"
#include "gui/form1.h"
#include "gui/site_rows.h"
#include "temp_folder.h"

#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>
#include <cstdint>
#include <memory>
#include <vector>

// Answers every dialog with the next prepared path ("" cancels) and keeps the requests.
class ScriptedDialogs : public fq::FileDialogRunner {
public:
    QStringList answers;
    std::vector<fq::FileDialogRequest> requests;

    fq::FileDialogAnswer runOpen(const fq::FileDialogRequest& request) override {
        return answer(request);
    }
    fq::FileDialogAnswer runSave(const fq::FileDialogRequest& request) override {
        return answer(request);
    }
    fq::FileDialogAnswer runFolder(const fq::FileDialogRequest& request) override {
        return answer(request);
    }

private:
    fq::FileDialogAnswer answer(const fq::FileDialogRequest& request) {
        requests.push_back(request);
        fq::FileDialogAnswer result;
        result.path = answers.isEmpty() ? QString() : answers.takeFirst();
        result.accepted = !result.path.isEmpty();
        result.lastFolder = request.startFolder;
        result.selectedFilterIndex = 0;
        return result;
    }
};

// A main window over a temporary program folder, with the fake banner strip, a notification
// area, scripted dialogs, a clock moved by hand and a message box that only records its text.
// Adjust `environment` before start().
struct Form1Fixture {
    Form1Fixture() {
        environment.appFolder = folder.slashed();
        environment.homeFolder = home.slashed();
        environment.dialogs = dialogs;
        environment.warn = [this](QWidget*, const QString& caption, const QString& text) {
            warnings.push_back(caption + QStringLiteral(" | ") + text);
        };
        environment.trayAvailable = [this] { return trayAvailable; };
        environment.makeBrowser = MakeFakeBannerBrowser;
        environment.now = [this] { return now; };
    }

    // Writes `database` as "ferquor.ini" unless it is empty, then builds and loads a new window.
    fq::Form1& start(const std::string& database = {}) {
        if (!database.empty()) {
            fq::WriteTextFile(databasePath(), database);
        }
        form = std::make_unique<fq::Form1>(environment);
        form->Form_Load();
        return *form;
    }

    std::string databasePath() const { return folder.slashed() + "ferquor.ini"; }
    std::string database() const { return fq::ReadTextFile(databasePath()); }
    const fq::Form1Ui& ui() const { return form->ui(); }
    QTreeWidgetItem* row(int index) const { return ui().lvWeb->topLevelItem(index); }
    QString cell(int index, int column) const { return row(index)->text(column); }
    // The list as text, a line per row: number, address, folder, and "-" when inactive.
    QString rows() const {
        QStringList lines;
        for (int i = 0; i < ui().lvWeb->topLevelItemCount(); ++i) {
            lines.append(cell(i, fq::kColumnNumber) + u' ' + cell(i, fq::kColumnWebUrl) + u' ' +
                         cell(i, fq::kColumnLocalPath) +
                         (row(i)->checkState(fq::kColumnNumber) == Qt::Checked
                              ? QString()
                              : QStringLiteral(" -")));
        }
        return lines.join(u'\n');
    }

    // Replaces the box's text by typing, as a user would.
    void type(QLineEdit* box, const QString& text) const {
        box->selectAll();
        QTest::keyClicks(box, text);
        if (text.isEmpty()) {
            QTest::keyClick(box, Qt::Key_Delete);
        }
    }

    void click(int index) const {
        QTreeWidget* list = ui().lvWeb;
        const QRect area = list->visualRect(list->model()->index(index, fq::kColumnWebUrl));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, area.center());
    }

    TempFolder folder;
    TempFolder home;
    std::shared_ptr<ScriptedDialogs> dialogs = std::make_shared<ScriptedDialogs>();
    QStringList warnings;
    bool trayAvailable = true;
    std::int64_t now = 36000; // 10:00:00
    fq::Form1Environment environment;
    std::unique_ptr<fq::Form1> form;
};
