#include "ui/MainForm.h"

#include "core/TellStudent.h"
#include "pictures/PictureController.h"
#include "pictures/PicturePanel.h"
#include "records/AnswerDraft.h"
#include "records/QueryConversion.h"
#include "records/RecordMessages.h"
#include "records/RecordViewers.h"
#include "records/Recording.h"
#include "records/TextCoding.h"
#include "script/Navigation.h"
#include "script/ScriptReader.h"
#include "startup/TutorStart.h"
#include "ui/ControlFactory.h"
#include "ui/ControlLayout.h"
#include "ui/DisplayText.h"
#include "ui/QtServices.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

namespace calctutor {

namespace {

// Typing keeps the draft at most this often.
constexpr int kDraftIntervalMs = 1000;

constexpr double kCaptionPointSize = 7.5;

} // namespace

MainForm::MainForm(const TutorServices& services, QWidget* parent) : QWidget(parent), m_services(services)
{
    setWindowTitle(QStringLiteral("Form1"));
    resize(toPixels(kClientWidthTwips), toPixels(kClientHeightTwips));
    // The layout was drawn for a small dialog font; at the desktop's usual
    // size most captions of the narrow buttons would not fit.
    QFont captions = font();
    captions.setPointSizeF(kCaptionPointSize);
    setFont(captions);
    m_controls = buildControls(*this);
    m_question = static_cast<QPlainTextEdit*>(m_controls.value(QStringLiteral("txt_question")));
    m_answer = static_cast<QPlainTextEdit*>(m_controls.value(QStringLiteral("txt_answer")));
    m_picture1 = static_cast<PicturePanel*>(m_controls.value(QStringLiteral("Picture1")));
    m_picture2 = static_cast<PicturePanel*>(m_controls.value(QStringLiteral("Picture2")));
    wireEvents();
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("tmr_pend_exp"));
    m_timer->setInterval(kTimerIntervalMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (!m_ended)
            onTimerTick();
    });
    m_draftTimer = new QTimer(this);
    m_draftTimer->setObjectName(QStringLiteral("tmr_draft"));
    m_draftTimer->setSingleShot(true);
    m_draftTimer->setInterval(kDraftIntervalMs);
    connect(m_draftTimer, &QTimer::timeout, this, &MainForm::keepDraft);
    connect(m_answer, &QPlainTextEdit::textChanged, this, [this] {
        fitAnswerWrap();
        if (!m_ended && !m_draftTimer->isActive())
            m_draftTimer->start();
    });
    m_pictures = std::make_unique<PictureController>(*m_picture1, *m_picture2, m_services.random, m_services.beep,
                                                     *m_services.clipboard);
}

MainForm::~MainForm() = default;

void MainForm::wireEvents()
{
    auto wire = [this](const char* name, void (MainForm::*handler)()) {
        auto* button = static_cast<QPushButton*>(m_controls.value(QLatin1String(name)));
        connect(button, &QPushButton::clicked, this, [this, handler] {
            if (!m_ended)
                (this->*handler)();
        });
    };
    wire("cmdNextQuestion", &MainForm::onNextQuestion);
    wire("cmd_enter_response", &MainForm::onEnterResponse);
    wire("cmd_save_as_notes", &MainForm::onSaveAsNotes);
    wire("cmd_display_note_file", &MainForm::onDisplayNotes);
    wire("cmd_displayCumulativeText", &MainForm::onDisplaySendFile);
    wire("cmd_next_picture", &MainForm::onNextPicture);
    wire("cmd_clear_answer_box", &MainForm::onClearAnswerBox);
    wire("cmd_quit", &MainForm::onQuit);
    wire("cmd_copy_picture", &MainForm::onCopyPicture);
    wire("cmd_pend_exp", &MainForm::onPendExp);
}

Flow MainForm::load()
{
    m_picture1->setScale(1000, 1000);
    m_picture2->setScale(1000, 1000);
    if (startTutor(m_state, m_services) == Flow::EndProgram) {
        endProgram();
        return Flow::EndProgram;
    }
    restoreDraft();
    m_question->setFocus();
    return Flow::Continue;
}

void MainForm::onNextQuestion()
{
    NextQuestionOutcome outcome = nextQuestion(m_state, *this);
    if (outcome.resetAnswerBox)
        setAnswerBox(m_state.responsePrompt);
    if (outcome.flow == Flow::EndProgram)
        return endProgram();
    appendToQuestionBox(outcome.textToShow);
}

void MainForm::onNextPicture()
{
    if (nextPicture(m_state, *this) == Flow::EndProgram)
        endProgram();
}

void MainForm::onClearAnswerBox()
{
    m_answer->clear();
    m_draftTimer->stop();
    discardDraft(m_state.draftFilePath);
}

void MainForm::onQuit()
{
    endProgram();
}

void MainForm::onEnterResponse()
{
    recordAnswerBox(&enterResponse);
}

void MainForm::onSaveAsNotes()
{
    recordAnswerBox(&saveNote);
}

// Both boxes are emptied unless the entry could not be written: then the text
// stays for the student to press again.
void MainForm::recordAnswerBox(Recorded (*record)(TutorState&, const std::string&, const TutorServices&))
{
    const std::optional<std::string> text = answerBoxText();
    if (!text)
        return;
    if (record(m_state, *text, m_services) != Recorded::Failed) {
        m_question->clear();
        m_answer->clear();
    }
}

void MainForm::onDisplayNotes()
{
    showFile(m_state.notesFilePath, "notes file", Viewer::Notes);
}

void MainForm::onDisplaySendFile()
{
    showFile(m_state.sendFilePath, "send file", Viewer::SendFile);
}

void MainForm::showFile(const std::string& path, const char* whatItIs, Viewer viewer)
{
    FileView view = readForViewer(path, whatItIs, viewer, viewLimits(viewer));
    if (view.failure) {
        tellStudent(m_services.messages, failureSentence(*view.failure));
        return;
    }
    const QString display = viewerDisplay(view, viewer);
    view = {}; // the file's bytes go before the question box makes its copy
    appendToQuestionBox(display);
}

void MainForm::onCopyPicture()
{
    m_pictures->copyPicture();
}

// Further clicks leave the running timer as it is.
void MainForm::onPendExp()
{
    if (!m_timer->isActive())
        m_timer->start();
}

// While a modal input box waits for the student, the window takes no events,
// and the experiment's ticks wait too.
void MainForm::onTimerTick()
{
    if (QApplication::activeModalWidget() != nullptr)
        return;
    m_pictures->tick();
}

void MainForm::readNextQuestion()
{
    const ReadOutcome outcome = calctutor::readNextQuestion(m_state);
    if (outcome.resetAnswerBox)
        setAnswerBox(m_state.responsePrompt);
    if (outcome.flow == Flow::EndProgram)
        endProgram();
}

void MainForm::runRoutine(const std::string& name)
{
    if (calctutor::runRoutine(name, *this) == Flow::EndProgram)
        endProgram();
}

std::string MainForm::code(const std::string& text, int codeNumber) const
{
    return calctutor::code(text, codeNumber);
}

std::string MainForm::decode(const std::string& text, int codeNumber) const
{
    return calctutor::decode(text, codeNumber);
}

std::string MainForm::remSpaces(const std::string& text) const
{
    return calctutor::remSpaces(text);
}

std::string MainForm::makeCodeLine(int codeNumber)
{
    return calctutor::makeCodeLine(codeNumber, m_services.random);
}

std::optional<Failure> MainForm::codeFile()
{
    return calctutor::codeFile(m_state);
}

void MainForm::showGraph(int graphNumber)
{
    m_pictures->showGraph(graphNumber);
}

void MainForm::keepDraft()
{
    m_draftTimer->stop();
    const QString typed = m_answer->toPlainText();
    const std::optional<Failure> failure = calctutor::keepDraft(m_state, fromDisplay(typed),
                                                                typed.toUtf8().toStdString());
    if (failure && !m_draftProblemTold) {
        m_draftProblemTold = true;
        tellStudent(m_services.messages, draftNotKeptMessage(*failure));
    }
}

void MainForm::restoreDraft()
{
    const FoundDraft draft = findDraft(m_state.draftFilePath);
    if (draft.failure)
        tellStudent(m_services.messages, draftNotPutBackMessage(*draft.failure));
    if (!draft.text)
        return;
    const QString text = QString::fromStdString(*draft.text);
    // Chosen before the text is laid out, which is where the time would go.
    m_answer->setWordWrapMode(answerWrapMode(text));
    m_answer->setPlainText(text);
    m_draftTimer->stop();
    tellStudent(m_services.messages, kDraftRestoredMessage);
}

// Only the block being edited can have grown a long run, so only it is
// looked at while typing; an emptied box wraps by words again.
void MainForm::fitAnswerWrap()
{
    if (m_answer->wordWrapMode() != QTextOption::WordWrap) {
        if (m_answer->document()->characterCount() <= kLongestRunWrappedByWords)
            m_answer->setWordWrapMode(QTextOption::WordWrap);
        return;
    }
    const QString block = m_answer->textCursor().block().text();
    if (block.size() > kLongestRunWrappedByWords && answerWrapMode(block) == QTextOption::WrapAnywhere)
        m_answer->setWordWrapMode(QTextOption::WrapAnywhere);
}

void MainForm::closeEvent(QCloseEvent* event)
{
    endProgram();
    event->accept();
}

// Stops everything at once: no further tick or handler runs, and the event
// loop ends with status 0.
void MainForm::endProgram()
{
    if (m_ended)
        return;
    // What was typed in the last second is kept too.
    if (m_draftTimer->isActive())
        keepDraft();
    m_ended = true;
    m_timer->stop();
    hide();
    QCoreApplication::exit(0);
}

void MainForm::appendToQuestionBox(const std::string& text)
{
    appendToQuestionBox(toDisplay(text));
}

// The program's text is not the student's edit: it gets no undo step. Qt
// drops the box's undo history when undo is switched off, which also keeps
// the student from undoing past it.
void MainForm::appendToQuestionBox(const QString& text)
{
    if (text.isEmpty())
        return;
    QTextDocument* document = m_question->document();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    const int start = cursor.position();
    cursor.insertText(text);
    document->setUndoRedoEnabled(true);
    // Scroll so that the student sees the beginning of what was just added.
    m_question->moveCursor(QTextCursor::End);
    cursor.setPosition(start);
    m_question->setTextCursor(cursor);
    m_question->ensureCursorVisible();
}

void MainForm::setAnswerBox(const std::string& text)
{
    m_answer->setPlainText(toDisplay(text));
}

std::optional<std::string> MainForm::answerBoxText()
{
    std::vector<std::string> unstorable;
    std::string text = fromDisplay(m_answer->toPlainText(), &unstorable);
    if (!unstorable.empty()) {
        m_services.messages.tell(unstorableMessage(unstorable, TypedIn::AnswerBox));
        return std::nullopt;
    }
    return text;
}

} // namespace calctutor
