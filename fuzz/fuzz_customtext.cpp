// Arbitrary bytes as the text file of a custom test: read, cleaned and cut into the test window's
// lines, each line then typed through the judge of the typing pad.
#include "drills/cCustomText.h"
#include "platform/CodePage1256.h"
#include "typing/cTest.h"
#include "typing/cTypingLine.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

void expect(bool condition, const char *what)
{
    if (!condition) {
        qWarning("fuzz_customtext: %s", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("test.txt"));
    {
        QFile file(path);
        const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
        expect(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
               "writing the input");
    }

    const QString text = ReadTestText(path);
    expect(text.size() <= kMaxTestFileBytes, "more text than the file's first 64 KiB");
    expect(!text.contains(QChar(10)) && !text.contains(QChar(13)) && !text.contains(QChar(8)),
           "a line break or backspace left in the text");

    for (const int length : {1, 37, 60}) {
        const QStringList lines = cTest::SplitIntoLines(text, length);
        expect(!lines.isEmpty() && lines.size() <= cTest::kMaxLines, "not one to five lines");
        for (const QString &line : lines) {
            expect(line.size() <= length, "a line longer than the pad");
            cTypingLine typing;
            typing.sWantedText = line;
            typing.bActive = true;
            typing.BeginLine();
            double now = 1000.0;
            const QByteArray codes = platform::toCodePage1256(typing.TrimmedWanted());
            for (const char code : codes) {
                typing.JudgeKey(qint16(quint8(code)), now += 0.2);
                if (typing.LineComplete())
                    break;
            }
            typing.CountErrors();
            typing.CalcResult(now + 1.0);
        }
    }
    return 0;
}
