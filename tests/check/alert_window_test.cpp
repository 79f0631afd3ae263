#include "check/alert_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using fq::AlertWindow;

class AlertWindowTest : public QObject {
    Q_OBJECT

private slots:
    void collectsLinesWithACounter() {
        auto* window = new AlertWindow;
        QPointer<AlertWindow> guard(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Alert !"));
        QCOMPARE(window->Le->text(), QStringLiteral("0"));
        QCOMPARE(window->La->text(), QStringLiteral("Quorvel Report !"));
        QVERIFY(!window->isVisible());

        window->Deliver(" Total Web : 3     Changed : 1");
        window->Deliver(" Total Web : 3     Changed : 2");
        QVERIFY(window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->Le->text(), QStringLiteral("2"));
        QCOMPARE(
            window->Te->toPlainText(),
            QStringLiteral("\n Total Web : 3     Changed : 1\n Total Web : 3     Changed : 2"));

        QTest::mouseClick(window->Co, Qt::LeftButton);
        QTRY_VERIFY(guard.isNull()); // "OK" throws the window away
    }

    void hasAFixedSize() {
        AlertWindow window;
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(window.Co->geometry().bottom() < window.height());
        QVERIFY(window.Te->geometry().right() < window.width());
    }
};

QTEST_MAIN(AlertWindowTest)
#include "alert_window_test.moc"
