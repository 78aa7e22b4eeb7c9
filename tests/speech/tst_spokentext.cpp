#include "speech/cSpeech.h"
#include "speech/cSpokenText.h"
#include "support/TestSupport.h"

#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(Utterance)

using testsupport::SpeechRecorder;

class tst_SpokenText : public QObject
{
    Q_OBJECT
private slots:
    void nextLetter_data();
    void nextLetter();
    void lineReadInTheVoicesOfItsScripts();
    void frontSpeaksThroughTheEngineAndCuts();
    void missingPluginIsNoEngine();
};

void tst_SpokenText::nextLetter_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("arabicLayout");
    QTest::addColumn<Utterance>("spoken");
    QTest::newRow("arabic letter") << QStringLiteral("بيت") << 2 << true
                                   << Utterance{{QStringLiteral("تاء، المفتاح J، السبابة اليمنى"), true}};
    QTest::newRow("shifted arabic")
        << QStringLiteral("أب") << 0 << true
        << Utterance{{QStringLiteral("ألف عليها همزة، المفتاح H مع Shift، السبابة اليمنى"), true}};
    QTest::newRow("mark key") << QStringLiteral("ك") << 0 << true
                              << Utterance{{QStringLiteral("كاف، مفتاح فاصلة منقوطة، الخنصر الأيمن"), true}};
    QTest::newRow("space") << QStringLiteral("ب ت") << 1 << true
                           << Utterance{{QStringLiteral("مسافة، الإبهام"), true}};
    QTest::newRow("capital") << QStringLiteral("Jam") << 0 << false
                             << Utterance{{QStringLiteral("capital J"), false},
                                          {QStringLiteral("المفتاح J مع Shift، السبابة اليمنى"), true}};
    QTest::newRow("end of line") << QStringLiteral("ab") << 2 << false
                                 << Utterance{{QStringLiteral("نهاية السطر"), true}};
}

void tst_SpokenText::nextLetter()
{
    QFETCH(QString, line);
    QFETCH(int, index);
    QFETCH(bool, arabicLayout);
    QFETCH(Utterance, spoken);
    QCOMPARE(cSpokenText::NextLetter(line, index, arabicLayout), spoken);
}

void tst_SpokenText::lineReadInTheVoicesOfItsScripts()
{
    // Lone letters are named: an engine would give an Arabic one its sound, a Latin "a" as a word.
    const Utterance spoken = cSpokenText::Line(QStringLiteral("ب ت كتب a s Shift"));
    const Utterance expected{{QStringLiteral("باء تاء كتب"), true}, {QStringLiteral("a, s, Shift"), false}};
    QCOMPARE(spoken, expected);
}

void tst_SpokenText::frontSpeaksThroughTheEngineAndCuts()
{
    SpeechRecorder engine;
    cSpeech speech;
    QSignalSpy opened(&speech, &cSpeech::Opened);
    speech.Open();
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).toString(), QString());
    speech.Say({{QStringLiteral("تاء"), true}, {QStringLiteral("j"), false}});
    speech.Stop();
    QCOMPARE(engine.said,
             (QStringList{QStringLiteral("ar: تاء"), QStringLiteral("en: j"), QStringLiteral("stop")}));
}

void tst_SpokenText::missingPluginIsNoEngine()
{
    cSpeech::SetPluginPathForTesting(QStringLiteral("/nonexistent/libkzspeech.so"));
    cSpeech speech;
    QSignalSpy opened(&speech, &cSpeech::Opened);
    speech.Open();
    QVERIFY(opened.wait(5000));
    QVERIFY(!opened.at(0).at(0).toString().isEmpty());
    QVERIFY(!speech.IsOpen());
    speech.Say({{QStringLiteral("لا شيء"), true}}); // nothing to speak through, and no crash
    cSpeech::SetPluginPathForTesting(QString());
}

QTEST_MAIN(tst_SpokenText)
#include "tst_spokentext.moc"
