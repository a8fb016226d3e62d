// No way around the keystroke filter: paste, drop and input-method text, and
// the menus the boxes offer.

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QTimer>

#include "input_test.h"

using quorvela::testing::ComboBox;
using quorvela::testing::ContextMenuEntries;
using quorvela::testing::FocusedControl;
using quorvela::testing::Stroke;
using quorvela::testing::TextBox;
using quorvela::testing::TypeIntoCombo;

class FilterBypassTest : public quorvela::testing::InputTest {
    Q_OBJECT

private Q_SLOTS:
    void init() { Start(); }
    void cleanup() { Finish(); }

    // ------------------------------------------------------------ no way around the filter

    // Every way of putting text into an input box besides typing: the text
    // either goes through the keystroke filter or does not go in at all.
    void nothingPutsTextPastTheFilter_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("expected");
        for (const bool volumeMode : {false, true}) {
            const char* box = volumeMode ? "txtQuorvela, " : "txtPortata, ";
            for (const char* way : {"Ctrl+V", "Shift+Insert", "Paste key", "middle click", "drop",
                                    "drop with drops allowed again"}) {
                QTest::addRow("%s%s", box, way) << volumeMode << QString::fromLatin1(way) << "7";
            }
            // Composed text is typed character by character, through the filter.
            QTest::addRow("%sinput method", box) << volumeMode << "input method"
                                                 << "71,59";
        }
    }
    void nothingPutsTextPastTheFilter() {
        QFETCH(bool, volumeMode);
        QFETCH(QString, way);
        QFETCH(QString, expected);
        const QString offered = QStringLiteral("a1.5-x9");
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(offered);
        if (clipboard->supportsSelection()) {
            clipboard->setText(offered, QClipboard::Selection);
        }
        TextBox* input = chooseMode(volumeMode);
        type(QStringLiteral("7"));
        if (way == QLatin1String("Ctrl+V")) {
            QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier);
        } else if (way == QLatin1String("Shift+Insert")) {
            QTest::keyClick(input, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (way == QLatin1String("Paste key")) {
            // No character belongs to this key, so QTest cannot press it.
            sendKey(input, Qt::Key_Paste, QString());
        } else if (way == QLatin1String("middle click")) {
            QTest::mouseClick(input, Qt::MiddleButton, Qt::NoModifier, input->rect().center());
        } else if (way.startsWith(QLatin1String("drop"))) {
            QVERIFY(!input->acceptDrops());
            // Even were drops switched on again, the box's own handler refuses them.
            input->setAcceptDrops(way != QLatin1String("drop"));
            QMimeData mime;
            mime.setText(offered);
            const QPointF point = input->rect().center();
            QDragEnterEvent enter(point.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(input, &enter);
            QVERIFY(!enter.isAccepted());
            QDropEvent drop(point, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(input, &drop);
        } else {
            QVERIFY(!input->testAttribute(Qt::WA_InputMethodEnabled));
            QInputMethodEvent event;
            event.setCommitString(offered);
            QApplication::sendEvent(input, &event);
        }
        QCOMPARE(input->text(), expected);
    }

    void theContextMenuOffersCopyButNoPaste_data() {
        QTest::addColumn<bool>("volumeMode");
        QTest::newRow("txtPortata") << false;
        QTest::newRow("txtQuorvela") << true;
    }
    void theContextMenuOffersCopyButNoPaste() {
        QFETCH(bool, volumeMode);
        TextBox* input = chooseMode(volumeMode);
        type(QStringLiteral("7"));
        input->selectAll();
        const QStringList actions = ContextMenuEntries(input, [](const QAction& action) {
            return action.objectName() + (action.isEnabled() ? "+" : "-");
        });
        QCOMPARE(actions,
                 (QStringList{QStringLiteral("edit-copy+"), QStringLiteral("select-all+")}));
        QCOMPARE(input->text(), QStringLiteral("7"));
    }

    void theComboBoxMenuSpeaksItalian_data() {
        QTest::addColumn<bool>("speed");
        QTest::newRow("cboGiri") << true;
        QTest::newRow("cboColpi") << false;
    }
    void theComboBoxMenuSpeaksItalian() {
        QFETCH(bool, speed);
        ComboBox* combo = speed ? &form_->cboGiri.Native() : &form_->cboColpi.Native();
        QLineEdit* edit = combo->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        const QStringList labels = ContextMenuEntries(edit, [](const QAction& action) {
            return action.text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        });
        QCOMPARE(labels, (QStringList{QStringLiteral("Annulla"), QStringLiteral("Rifai"),
                                      QStringLiteral("Taglia"), QStringLiteral("Copia"),
                                      QStringLiteral("Incolla"), QStringLiteral("Elimina"),
                                      QStringLiteral("Seleziona tutto")}));
    }
};

QUORVELA_GUI_TEST_MAIN(FilterBypassTest)

#include "tst_filter_bypass.moc"
