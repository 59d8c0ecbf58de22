// The header and footer windows: editing rules, the store and send against the emulator, the
// replies, and the rich-text files.
#include "platform/Rtf.h"
#include "tables/ProgramowanieNaglowka.h"
#include "tables/ProgramowanieStopki.h"
#include "tables/ReceiptText.h"
#include "tests/tables/TablesTest.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>
#include <functional>

namespace {

// Types text at the end of the editor, bold while the bold button is down.
void Type(TReceiptEditorForm& w, const QString& text, bool bold = false)
{
    QTextCursor c = w.RichEdit1->textCursor();
    c.movePosition(QTextCursor::End);
    w.RichEdit1->setTextCursor(c);
    w.ToolButton1->setChecked(bold);
    w.ToolButton1Click();
    w.RichEdit1->insertPlainText(text);
}

std::string WriteTemp(const TestEnvironment& env, const char* name, const QByteArray& bytes)
{
    const std::string path = env.Path(name);
    QFile f(QString::fromStdString(path));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

QByteArray ReadAll(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

using ReceiptEditor = TablesTest;

TEST_F(ReceiptEditor, PastedLinesAreCutToTheBlockAndBreaksStartParagraphs)
{
    TProgramowanieNaglowka header;
    header.RichEdit1->insertPlainText("1\n2\n3\n4\n5\n6\n7\n8");
    EXPECT_EQ(header.RichEdit1->toPlainText(), "1\n2\n3\n4\n5\n6");
    TProgramowanieStopki footer;
    footer.RichEdit1->insertPlainText(QStringLiteral("a\u2028b\nc\nd"));
    EXPECT_EQ(footer.RichEdit1->document()->blockCount(), 3);
    EXPECT_EQ(footer.RichEdit1->toPlainText(), "a\nb\nc");

    // The header centres the paragraph being edited; the footer leaves it.
    header.AlignParagraph(Qt::AlignRight);
    Type(header, "x");
    EXPECT_EQ(header.RichEdit1->textCursor().blockFormat().alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    footer.AlignParagraph(Qt::AlignRight);
    Type(footer, "x");
    EXPECT_EQ(footer.RichEdit1->textCursor().blockFormat().alignment() & Qt::AlignRight, Qt::AlignRight);
}

class ReceiptEditorLink : public TablesRegisterTest {
protected:
    TProgramowanieStopki footer;
    TProgramowanieNaglowka header;
};

TEST_F(ReceiptEditorLink, RefusedStoresWriteAndSendNothing)
{
    const std::vector<uint8_t> before = ImageBytes(TableOffsets.FooterBlock, 130);
    const QString controls = QString::fromStdString(WriteTemp(env, "ster.rtf", "{\\rtf1\\ansi\\pard\\ql A\\'01B\\tab C\\par}"));
    const QString nothing = " Nic nie zapisano ani nie wysłano.";
    const struct {
        TReceiptEditorForm* Window;
        std::function<void()> Fill;
        QString Refusal;
    } cases[] = {
        {&footer, [&] { Type(footer, QString(41, 'x')); Type(footer, "y", true); },
         "Linia 1 jest za długa: 43 pozycji, a mieści się 42 (znak pogrubiony zajmuje dwie)." + nothing},
        {&header, [&] { Type(header, "ok\nCena ✓"); }, "Linia 2: Tekst „Cena ✓” zawiera znaki, których kasa nie obsługuje: ✓"},
        // 0x01 would print what follows it bold; a \tab stays a blank.
        {&header, [&] { prompts.OpenFile(controls); header.ToolButton4Click(); },
         "Linia 1 zawiera znaki sterujące, których kasa nie drukuje: 0x01." + nothing},
        {&footer, [&] { Type(footer, "a\x1b" "b\x7f" "c\x1b"); },
         "Linia 1 zawiera znaki sterujące, których kasa nie drukuje: 0x1B 0x7F." + nothing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Refusal.toStdString());
        c.Window->RichEdit1->clear();
        prompts.Clear();
        c.Fill();
        c.Window->BitBtn2Click();
        EXPECT_EQ(prompts.Messages(), QStringList{c.Refusal});
    }
    EXPECT_EQ(header.RichEdit1->toPlainText(), "A\x01" "B C");
    // A full line passes; more lines than the block holds never reach it (the editor cuts them).
    const ReceiptParagraph full{QString(42, 'x'), {}, ReceiptAlign::Left};
    EXPECT_TRUE(ReceiptLineBytes(full, 1).Refusal.isEmpty());
    EXPECT_FALSE(BuildReceiptBlock(std::vector<ReceiptParagraph>(4, full), FooterLineCount, {}).Refusal.isEmpty());

    prompts.Clear();
    footer.RichEdit1->clear();
    Type(footer, "ok");
    App.WorkMode = WorkModeRegister;   // no database
    footer.BitBtn2Click();
    footer.Button3Click();
    EXPECT_EQ(prompts.Messages(), QStringList(2, FileClosed));
    EXPECT_EQ(ImageBytes(TableOffsets.FooterBlock, 130), before);
    EXPECT_EQ(App.DatabaseModified, 0);
    EXPECT_TRUE(fx.Emu().ReceivedFramesWithCommand('D').empty());
}

TEST_F(ReceiptEditorLink, RepliesShowOneMessageEach)
{
    footer.AlignParagraph(Qt::AlignLeft);
    Type(footer, "Dziękujemy");
    footer.TallLine[0]->setChecked(true);   // no longer decides the result-4 message
    Type(header, "SKLEP");
    header.RichEdit1->textCursor().insertBlock();
    Type(header, "AB", true);
    header.AlignParagraph(Qt::AlignRight);
    header.TallLine[1]->setChecked(true);

    struct Case {
        TReceiptEditorForm* window;
        emu::Faults faults;
        QString message;
    };
    const Case cases[] = {
        {&header, {}, "Zaprogramowano nagłówek"},
        {&footer, Fault(&emu::Faults::PrintingReplies, 2), "Zaprogramowano stopkę."},
        {&header, Fault(&emu::Faults::ErrorCode, 38),
         "Błąd 38: Wartość pola „Liczba linii w nagłówku” nie zgadza się danymi wpisanymi do tablicy linijek nagłówka"},
        {&footer, Fault(&emu::Faults::SilentRequests, 1), "Kasa nie potwierdziła zaprogramowania stopki."},
        {&header, Fault(&emu::Faults::ShortReplyBytes, 6), "Kasa nie potwierdziła zaprogramowania nagłówka."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        prompts.Clear();
        fx.Emu().SetFaults(c.faults);
        c.window->BitBtn2Click();
        EXPECT_EQ(prompts.Messages(), QStringList{c.message});
    }
    // Centred and right-aligned lines, a bold character after its mark, the line count, the tall line.
    std::string expected(18, ' ');
    expected.append("SKLEP").append(19 + 38, ' ').append("\x01" "A" "\x01" "B").resize(252, '\0');
    expected += std::string("\x02\x00\x01\x00\x00\x00\x00", 7);
    const std::vector<uint8_t> want(expected.begin(), expected.end());
    EXPECT_EQ(fx.Emu().Setting('N'), want);
    EXPECT_EQ(ImageBytes(TableOffsets.HeaderBlock, 259), want);
    EXPECT_EQ(App.DatabaseModified, 1);
    // The footer's frame carries the confirmation flag.
    footer.CheckBox8->setChecked(true);
    footer.CheckBox8Click();
    fx.Emu().SetFaults({});
    prompts.Clear();
    footer.Button4->click();
    const emu::Bytes sent = fx.Emu().Setting('D');
    EXPECT_EQ(sent.at(130), 1);
    EXPECT_EQ(sent.at(126), 1);
    // A left-aligned line in code page 1250, padded with blanks.
    EXPECT_EQ(std::string(sent.begin(), sent.begin() + 42), ToCp1250("Dziękujemy") + std::string(32, ' '));
}

TEST_F(ReceiptEditor, RichTextFilesLoadRefuseAndSaveWhole)
{
    TProgramowanieNaglowka w;
    // A paragraph as long as a file may hold loads at once.
    const QByteArray letters(RtfMaxBytes - 8, 'a');
    prompts.OpenFile(QString::fromStdString(WriteTemp(env, "duzy.rtf", "{\\rtf1 " + letters + "}")));
    QElapsedTimer clock;
    clock.start();
    w.ToolButton4Click();
    EXPECT_LT(clock.elapsed(), 5000);
    EXPECT_TRUE(w.RichEdit1->toPlainText() == QString::fromLatin1(letters));
    const std::string right = WriteTemp(env, "prawy.RTF", "{\\rtf1\\ansi\\pard\\qr Prawy\\par\\pard\\qr Drugi}");
    prompts.OpenFile(QString::fromStdString(right));
    w.ToolButton4Click();
    EXPECT_TRUE(prompts.Messages().isEmpty());
    EXPECT_EQ(w.RichEdit1->toPlainText(), "Prawy\nDrugi");
    EXPECT_EQ(w.RichEdit1->document()->firstBlock().blockFormat().alignment() & Qt::AlignRight, Qt::AlignRight);

    const std::string broken = WriteTemp(env, "zly.rtf", "to nie jest RTF");
    prompts.OpenFile(QString::fromStdString(broken));
    w.ToolButton4Click();
    EXPECT_EQ(prompts.Messages(), QStringList{QString::fromStdString("Nie mogę otworzyc pliku" + broken + ".")});
    EXPECT_EQ(w.RichEdit1->toPlainText(), "Prawy\nDrugi");

    // A name without extension gets ".rtf" before the overwrite question; "No" keeps the file.
    const std::string target = WriteTemp(env, "naglowek.rtf", "stary");
    prompts.Clear();
    prompts.SaveFile(QString::fromStdString(env.Path("naglowek")));
    prompts.Answer(PromptAnswer::No);
    w.ToolButton6Click();
    EXPECT_EQ(prompts.TakeTexts(), QStringList{QString::fromStdString("Plik " + target + " już istnieje.Kontynuować? ")});
    EXPECT_EQ(ReadAll(target), "stary");
    // So is a link that names nothing yet.
    const QString dangling = QString::fromStdString(env.Path("stopka.rtf"));
    ASSERT_TRUE(QFile::link(QString::fromStdString(env.Path("brak.rtf")), dangling));
    prompts.SaveFile(dangling);
    prompts.Answer(PromptAnswer::No);
    w.ToolButton6Click();
    EXPECT_EQ(prompts.Texts(), QStringList{"Plik " + dangling + " już istnieje.Kontynuować? "});

    prompts.SaveFile(QString::fromStdString(target));
    prompts.Answer(PromptAnswer::Yes);
    w.ToolButton6Click();
    EXPECT_TRUE(ReadAll(target).startsWith("{\\rtf1"));

    // A target that cannot be replaced (a folder): the message, and the folder stays.
    const QString folder = QString::fromStdString(env.Path("katalog.rtf"));
    ASSERT_TRUE(QDir().mkdir(folder));
    prompts.Clear();
    prompts.SaveFile(folder);
    prompts.Answer(PromptAnswer::Yes);
    w.ToolButton6Click();
    EXPECT_EQ(prompts.Messages(), QStringList{"Nie mogę zapisać do pliku" + folder + "."});
    EXPECT_TRUE(QFileInfo(folder).isDir());
}
