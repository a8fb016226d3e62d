// The window as a screen reader, or any program on the accessibility bus,
// sees it through Qt's accessibility interfaces.

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

#include "input_test.h"

class AccessibilityTest : public quorvela::testing::InputTest {
    Q_OBJECT

private Q_SLOTS:
    void init() { Start(); }
    void cleanup() { Finish(); }

    void eachCaptionLabelsItsControl_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("cboGiri") << "cboGiri"
                                 << "Giri";
        QTest::newRow("cboColpi") << "cboColpi"
                                  << "Colpi";
        QTest::newRow("txtPortata") << "txtPortata"
                                    << "Portata cm³";
        QTest::newRow("txtQuorvela") << "txtQuorvela"
                                     << "litri/ora";
        QTest::newRow("txtLitriMinuto") << "txtLitriMinuto"
                                        << "litri/min";
    }
    void eachCaptionLabelsItsControl() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control(name));
        QVERIFY(face != nullptr);
        QStringList labels;
        for (const auto& [label, relation] : face->relations(QAccessible::Label)) {
            labels << label->text(QAccessible::Name);
        }
        QCOMPARE(labels, QStringList{caption});
    }

    void theOptionsAndTheButtonAreNamedByTheirTexts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("accessible");
        QTest::newRow("optScelta(0)") << "optScelta(0)"
                                      << "ottieni cm³";
        QTest::newRow("optScelta(1)") << "optScelta(1)"
                                      << "ottieni litri/ora";
        QTest::newRow("cmdCalcola") << "cmdCalcola"
                                    << "calcola";
    }
    void theOptionsAndTheButtonAreNamedByTheirTexts() {
        QFETCH(QString, name);
        QFETCH(QString, accessible);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control(name));
        QVERIFY(face != nullptr);
        QCOMPARE(face->text(QAccessible::Name), accessible);
    }

    void theStrokeTimeLabelIsNamedByWhatItShows() {
        QAccessibleInterface* face =
            QAccessible::queryAccessibleInterface(&form_->lblDescrizione(2).Native());
        QVERIFY(face != nullptr);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("12 secondi"));
        QCOMPARE(face->text(QAccessible::Description),
                 QStringLiteral("a 1000 giri, 200 colpi si ottengono in 12 secondi"));
    }

    void noProgramCanWriteAnInputBoxThroughAccessibility_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("asValue");
        QTest::newRow("txtPortata, text inserted") << "txtPortata" << false;
        QTest::newRow("txtPortata, value set") << "txtPortata" << true;
        // Outside its mode too: the flow mode is in force.
        QTest::newRow("txtQuorvela, text inserted") << "txtQuorvela" << false;
        QTest::newRow("txtQuorvela, value set") << "txtQuorvela" << true;
    }
    void noProgramCanWriteAnInputBoxThroughAccessibility() {
        QFETCH(QString, name);
        QFETCH(bool, asValue);
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control(name));
        QVERIFY(face != nullptr);
        const QString foreign = QStringLiteral("12abc-+ 1.5e9xyz");
        if (asValue) {
            face->setText(QAccessible::Value, foreign);
        } else if (QAccessibleEditableTextInterface* editable = face->editableTextInterface()) {
            editable->insertText(0, foreign);
        }
        QCOMPARE(qobject_cast<QLineEdit*>(control(name))->text(), QString());
    }

    void aScreenReaderStillReadsAnInputBox() {
        auto& box = form_->txtPortata.Native();
        QTest::keyClicks(&box, QStringLiteral("12,5"));
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&box);
        QVERIFY(face != nullptr);
        QCOMPARE(face->role(), QAccessible::EditableText);
        QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Portata cm³"));
        QCOMPARE(face->text(QAccessible::Value), QStringLiteral("12,5"));
        QCOMPARE(face->text(QAccessible::Description), QStringLiteral("Valore di portata"));
        QAccessibleTextInterface* text = face->textInterface();
        QVERIFY(text != nullptr);
        QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("12,5"));
        QCOMPARE(text->cursorPosition(), 4);
    }
};

QUORVELA_GUI_TEST_MAIN(AccessibilityTest)
#include "tst_accessibility.moc"
