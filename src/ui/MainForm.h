#pragma once
// The tutor's one window. It owns the state of the run and the controls laid
// out from the control table, and wires each event to a handler that reads a
// control, makes one call into the logic and writes the result back.

#include "core/Flow.h"
#include "core/Services.h"
#include "core/TutorServices.h"
#include "core/TutorState.h"
#include "records/Failure.h"
#include "records/RecordViewers.h"
#include "records/Recording.h"

#include <QHash>
#include <QWidget>

#include <memory>
#include <optional>

class QPlainTextEdit;
class QTimer;

namespace calctutor {

class PictureController;
class PicturePanel;

class MainForm : public QWidget, private GraphDisplay {
public:
    // The services, the clipboard included, must outlive the window.
    explicit MainForm(const TutorServices& services, QWidget* parent = nullptr);
    ~MainForm() override;

    // The window's load: the tutor's start (startTutor), then the draft kept
    // from an earlier run back into the answer box. EndProgram means the
    // program ends before the window is shown.
    [[nodiscard]] Flow load();

    bool hasEnded() const { return m_ended; }
    const TutorState& state() const { return m_state; }
    TutorState& state() { return m_state; }
    QWidget* control(const QString& name) const { return m_controls.value(name); }

    // The window's public interface, named as the tutor's other programs and
    // its course routines know it; each delegates to the logic.
    void readNextQuestion();
    void runRoutine(const std::string& name);
    std::string code(const std::string& text, int codeNumber) const;
    std::string decode(const std::string& text, int codeNumber) const;
    std::string remSpaces(const std::string& text) const;
    std::string makeCodeLine(int codeNumber);
    // Converts query.txt of the output folder into queri.txt; why it cannot,
    // and then nothing is written.
    std::optional<Failure> codeFile();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void wireEvents();

    void onNextQuestion();
    void onNextPicture();
    void onClearAnswerBox();
    void onQuit();
    void onEnterResponse();
    void onSaveAsNotes();
    void onDisplayNotes();
    void onDisplaySendFile();
    void onCopyPicture();
    void onPendExp();
    void onTimerTick();

    void keepDraft();
    void restoreDraft();
    void fitAnswerWrap();

    void showGraph(int graphNumber) override;
    void endProgram();
    void appendToQuestionBox(const std::string& text);
    void appendToQuestionBox(const QString& text);
    void setAnswerBox(const std::string& text);
    // The answer box as a Windows-1252 text; empty when it holds characters
    // the records cannot store, after telling the student which.
    std::optional<std::string> answerBoxText();
    void recordAnswerBox(Recorded (*record)(TutorState&, const std::string&, const TutorServices&));
    void showFile(const std::string& path, const char* whatItIs, Viewer viewer);

    const TutorServices& m_services;
    TutorState m_state;
    bool m_ended = false;
    QHash<QString, QWidget*> m_controls;
    QPlainTextEdit* m_question = nullptr;
    QPlainTextEdit* m_answer = nullptr;
    PicturePanel* m_picture1 = nullptr;
    PicturePanel* m_picture2 = nullptr;
    QTimer* m_timer = nullptr;
    QTimer* m_draftTimer = nullptr; // keeps the answer being typed at most once a second
    bool m_draftProblemTold = false;
    std::unique_ptr<PictureController> m_pictures;
};

} // namespace calctutor
