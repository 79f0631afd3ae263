#include "gui/alert_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// Collecting lines and the "OK" button are driven through the main window's schedule test.
class AlertWindowTest : public QObject {
    Q_OBJECT

private slots:
    void startsEmptyAndHiddenAndShowsItsFirstLineWithoutBeingModal() {
        fq::AlertWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Alert !"));
        QCOMPARE(window.La->text(), QStringLiteral("Quorvel Report !"));
        QCOMPARE(window.Le->text(), QStringLiteral("0"));
        QVERIFY(!window.isVisible());
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(window.Co->geometry().bottom() < window.height());
        QVERIFY(window.Te->geometry().right() < window.width());

        window.Deliver(" Total Web : 3     Changed : 1");
        QVERIFY(window.isVisible() && !window.isModal());
        QCOMPARE(window.Le->text(), QStringLiteral("1"));
        QCOMPARE(window.Te->toPlainText(), QStringLiteral("\n Total Web : 3     Changed : 1"));
    }
};

QTEST_MAIN(AlertWindowTest)
#include "alert_window_test.moc"
