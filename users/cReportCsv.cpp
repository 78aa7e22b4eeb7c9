#include "users/cReportCsv.h"

#include "app/StringTable.h"

#include <QDateTime>
#include <QSaveFile>

QStringList cReportCsv::Headers()
{
    QStringList headers{QStringLiteral("الاسم (Name)"),
                        QStringLiteral("اللغة (Language)"),
                        QStringLiteral("الوحدة (Unit)"),
                        QStringLiteral("السرعة المطلوبة (Target speed)"),
                        QStringLiteral("الدقة المطلوبة (Target accuracy)"),
                        QStringLiteral("الدرس التالي (Next lesson)")};
    static const QStringList kTests{QStringLiteral("الأول"), QStringLiteral("الثاني"),
                                    QStringLiteral("الثالث")};
    for (int lesson = 1; lesson <= 6; ++lesson) {
        for (int test = 1; test <= 3; ++test) {
            const QString arabic =
                QStringLiteral("الدرس %1 الاختبار %2").arg(lesson).arg(kTests.at(test - 1));
            const QString english = QStringLiteral("Lesson %1 test %2").arg(lesson).arg(test);
            headers.append(arabic + QStringLiteral(" السرعة (") + english + QStringLiteral(" speed)"));
            headers.append(arabic + QStringLiteral(" الدقة (") + english + QStringLiteral(" accuracy)"));
        }
        headers.append(QStringLiteral("الدرس %1 النتيجة (Lesson %1 result)").arg(lesson));
    }
    headers << QStringLiteral("آخر تدريب (Last practice)")
            << QStringLiteral("دقائق آخر 7 أيام (Minutes, last 7 days)")
            << QStringLiteral("دقائق آخر 30 يوماً (Minutes, last 30 days)")
            << QStringLiteral("اتجاه السرعة (Speed trend)") << QStringLiteral("أضعف الحروف (Weakest keys)")
            << QStringLiteral("يحقق الهدف (Meets targets)") << QStringLiteral("ملاحظة (Note)");
    return headers;
}

QStringList cReportCsv::Fields(const ClassReportRow &row)
{
    QStringList fields{Defused(row.sName)};
    const int count = int(Headers().size());
    if (!row.bReadable) {
        while (fields.size() < count - 1)
            fields.append(QString());
        fields.append(row.sNote);
        return fields;
    }
    const cProfileResults results = row.Results();
    fields << cClassReport::LanguageText(row.bArabic) << cClassReport::UnitText(row.IsWordsPerMinute())
           << QString::number(cClassReport::InUnit(row, row.profile.GetWantedSpeed()))
           << QString::number(row.profile.GetWantedAccuracy()) << LessonTitle(row.iNextLesson);
    for (int lesson = 1; lesson <= 6; ++lesson) {
        for (const ClassReportRow::TestResult &test : row.tests[lesson - 1]) {
            const bool taken = cProfileResults::Taken(test.iSpeed, test.iAccuracy);
            fields << (taken ? QString::number(cClassReport::InUnit(row, test.iSpeed)) : QString())
                   << (taken ? QString::number(test.iAccuracy) : QString());
        }
        qint16 speed = 0;
        qint16 accuracy = 0;
        results.GetAverage(qint16(lesson), speed, accuracy);
        fields << results.ResultAlpha(speed, accuracy);
    }
    fields << (row.iLastPractice > 0 ? QDateTime::fromMSecsSinceEpoch(row.iLastPractice)
                                           .toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                                     : QString())
           << cClassReport::MinutesText(row.dMinutes7) << cClassReport::MinutesText(row.dMinutes30)
           << cClassReport::TrendText(row) << row.weakest.join(QLatin1Char(' '))
           << cClassReport::TargetsText(row.targets) << row.sNote;
    return fields;
}

QString cReportCsv::Quote(const QString &field)
{
    const bool quoted = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
                        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) ||
                        field.startsWith(QLatin1Char(' ')) || field.endsWith(QLatin1Char(' '));
    if (!quoted)
        return field;
    QString text = field;
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString cReportCsv::Defused(const QString &text)
{
    static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && kFormulaStarts.contains(text.at(0)))
        return QLatin1Char('\'') + text;
    return text;
}

QByteArray cReportCsv::Encode(const QList<ClassReportRow> &rows)
{
    auto line = [](const QStringList &fields) {
        QStringList quoted;
        quoted.reserve(fields.size());
        for (const QString &field : fields)
            quoted.append(Quote(field));
        return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    QString text = line(Headers());
    for (const ClassReportRow &row : rows)
        text += line(Fields(row));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool cReportCsv::Save(const QString &path, const QList<ClassReportRow> &rows, QString *error)
{
    QSaveFile file(path);
    const QByteArray bytes = Encode(rows);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
