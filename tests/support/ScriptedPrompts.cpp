#include "tests/support/ScriptedPrompts.h"

#include <gtest/gtest.h>

ScriptedPrompts::ScriptedPrompts() { SetPrompts(this); }

ScriptedPrompts::~ScriptedPrompts() { SetPrompts(nullptr); }

void ScriptedPrompts::Message(const QString& text, const QString& caption, PromptIcon)
{
    shown_.push_back({text, caption, false});
}

PromptAnswer ScriptedPrompts::Question(const QString& text, const QString& caption, PromptButtons, PromptIcon)
{
    shown_.push_back({text, caption, true});
    if (answers_.empty()) {
        ADD_FAILURE() << "unscripted question: " << text.toStdString();
        return PromptAnswer::Cancel;
    }
    PromptAnswer a = answers_.front();
    answers_.pop_front();
    return a;
}

QString ScriptedPrompts::OpenFileName(const QString& title, const QString&, const QString&)
{
    if (openFiles_.empty()) {
        ADD_FAILURE() << "unscripted open dialog: " << title.toStdString();
        return {};
    }
    QString p = openFiles_.front();
    openFiles_.pop_front();
    return p;
}

QString ScriptedPrompts::SaveFileName(const QString& title, const QString&, const QString& initial)
{
    LastSaveInitial = initial;
    LastSaveTitle = title;
    if (saveFiles_.empty()) {
        ADD_FAILURE() << "unscripted save dialog: " << title.toStdString();
        return {};
    }
    QString p = saveFiles_.front();
    saveFiles_.pop_front();
    return p;
}

QColor ScriptedPrompts::Colour(const QColor&)
{
    if (colours_.empty()) {
        ADD_FAILURE() << "unscripted colour dialog";
        return {};
    }
    QColor c = colours_.front();
    colours_.pop_front();
    return c;
}

QStringList ScriptedPrompts::Texts() const
{
    QStringList out;
    for (const auto& s : shown_)
        out << s.Text;
    return out;
}

QStringList ScriptedPrompts::Messages() const
{
    QStringList out;
    for (const auto& s : shown_)
        if (!s.IsQuestion)
            out << s.Text;
    return out;
}
