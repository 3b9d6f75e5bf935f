#include "script/QuestionBank.h"

#include "core/TutorState.h"

#include <QDir>
#include <QFile>

namespace calctutor {

std::vector<CourseSource> builtInCourse()
{
    std::vector<CourseSource> sources;
    const QDir folder(QStringLiteral(":/course"));
    const QStringList names = folder.entryList({QStringLiteral("*.course")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QByteArray bytes = file.readAll();
        sources.push_back({name.toStdString(), std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()))});
    }
    return sources;
}

void storeEntries(TutorState& state, const std::vector<CourseEntry>& entries)
{
    state.lineIndex = 0;
    for (const CourseEntry& entry : entries) {
        if (state.lineIndex >= kLastScriptIndex)
            break; // the check tool reports a course that does not fit
        ++state.lineIndex;
        state.scriptLines[static_cast<std::size_t>(state.lineIndex)] = entry.text;
    }
    state.lineIndex = 0;
}

void loadQuestionBank(TutorState& state)
{
    storeEntries(state, parseCourse(builtInCourse()).entries);
}

} // namespace calctutor
