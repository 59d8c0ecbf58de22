#include "tests/support/ScriptedPrompts.h"

#include <gtest/gtest.h>

void ScriptedPrompts::Message(const QString& text, const QString& caption, PromptIcon)
{
    shown_.push_back({text, caption, false});
}

namespace {

// The next scripted answer; one nobody scripted fails the test and answers Cancel.
template <class T>
T Next(std::deque<T>& queue, const std::string& what, T none = T())
{
    if (queue.empty()) {
        ADD_FAILURE() << "unscripted " << what;
        return none;
    }
    T a = queue.front();
    queue.pop_front();
    return a;
}

} // namespace

PromptAnswer ScriptedPrompts::Question(const QString& text, const QString& caption, PromptButtons, PromptIcon)
{
    shown_.push_back({text, caption, true});
    return Next(answers_, "question: " + text.toStdString(), PromptAnswer::Cancel);
}

QString ScriptedPrompts::OpenFileName(const QString& title, const QString&, const QString&)
{
    return Next(openFiles_, "open dialog: " + title.toStdString());
}

QString ScriptedPrompts::SaveFileName(const QString& title, const QString&, const QString& initial)
{
    LastSaveInitial = initial;
    LastSaveTitle = title;
    return Next(saveFiles_, "save dialog: " + title.toStdString());
}

QColor ScriptedPrompts::Colour(const QColor&) { return Next(colours_, "colour dialog"); }

QStringList ScriptedPrompts::TextsOf(bool questions) const
{
    QStringList out;
    for (const auto& s : shown_)
        if (questions || !s.IsQuestion)
            out << s.Text;
    return out;
}
