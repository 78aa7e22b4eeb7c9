// A sheet of typing pads for looking at the pad's faces: every Arabic letter alone and joined, the
// lam-alef forms, and a typed line with mistakes, in the small and the large pad, both languages.
// Writes one PNG (argument 1, default pad-sheet.png); run it with QT_SCALE_FACTOR=1.5 to see 150 %.
// Not a test: it asserts nothing.
#include "platform/Folders.h"
#include "typing/TypingPad.h"
#include "users/ProfileFile.h"
#include "users/cUser.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QVBoxLayout>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans Arabic UI"), QStringLiteral("DejaVu Sans")});
    QApplication::setFont(font);
    QTemporaryDir folder;
    platform::setProgramFolderForTesting(folder.path());
    ProfileFile::create(folder.filePath(QStringLiteral("sheet.USR")), 95, 150);
    theUser().LogIn(QStringLiteral("sheet"));

    struct Line
    {
        const char *lang;
        QString wanted;
        QString typed;
    };
    const QList<Line> lines = {
        {"Ar", QStringLiteral("ا ب ت ث ج ح خ د ذ ر ز س ش ص ض ط ظ ع غ ف ق ك ل م ن ه و ي"), {}},
        {"Ar", QStringLiteral("ى ة ء أ إ آ ؤ ئ لا لأ لإ لآ ، ؛ ؟ ـ ( ) 1 2 3"), {}},
        {"Ar", QStringLiteral("ببب تتت ثثث جججححح خخخ سسس ششش صصص ضضض ططط ظظظ"), {}},
        {"Ar", QStringLiteral("ععع غغغ ففف ققق ككك للل ممم ننن ههه ييي ئئئ ضض سشص"), {}},
        {"Ar", QStringLiteral("سلام الأمل إلى آلاف لإنسان بلا خلاف قال الطالب كتابا"),
         QStringLiteral("سلام الامل إلي آلاف لانسان")},
        {"Ar", QStringLiteral("نجور جرن ونجر"), QStringLiteral("نحور")},
        {"En", QStringLiteral("the quick brown fox jumps over the lazy dog; ASDF JKL 1234"),
         QStringLiteral("the quack brown fix")},
    };

    QWidget sheet;
    auto *layout = new QVBoxLayout(&sheet);
    layout->setSpacing(4);
    for (const char *size : {"Small", "Big"}) {
        for (const Line &line : lines) {
            theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"),
                                  QString::fromLatin1(line.lang));
            theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), QString::fromLatin1(size));
            auto *pad = new TypingPad(&sheet);
            pad->setFixedSize(600, QByteArray(size) == "Small" ? 80 : 90);
            layout->addWidget(pad);
            pad->sWantedText = QByteArray(size) == "Small" ? line.wanted : line.wanted.left(30);
            pad->bActive = true;
            pad->Start();
            pad->sWrittenText = line.typed.left(pad->sWantedText.size());
            pad->iNumofLetter = qint16(pad->sWrittenText.size() + 1);
            pad->PrintScreen();
        }
    }
    sheet.adjustSize();
    sheet.grab().save(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("pad-sheet.png"));
    return 0;
}
