#include "platform/Rtf.h"

#include "platform/Cp1250.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <cctype>
#include <map>
#include <vector>

namespace {

constexpr double BigPointSize = 20.0;
constexpr double NormalPointSize = 10.0;

struct Paragraph {
    Qt::Alignment Align = Qt::AlignLeft;
    QString Text;
    std::vector<bool> Big;
};

// ---- reading ----

// Code page 1252 differs from Latin-1 only in 0x80..0x9F.
const char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t DecodeByte(uint8_t byte, int codePage)
{
    if (codePage == 1252)
        return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t(byte);
    return Cp1250ToUnicode(byte);
}

enum class Destination { Text, Skip, FontTable };

struct GroupState {
    Destination Dest = Destination::Text;
    int Font = -1;
    bool Big = false;
    int UnicodeSkip = 1;
    Qt::Alignment Align = Qt::AlignLeft;
};

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : in_(bytes) {}

    RtfRead Run(std::vector<Paragraph>& out)
    {
        std::vector<GroupState> stack;
        GroupState state;
        std::size_t pendingSkip = 0;
        while (pos_ < in_.size()) {
            const char c = in_[pos_++];
            if (c == '{') {
                if (int(stack.size()) + 1 >= RtfMaxGroupDepth)
                    return RtfRead::TooDeep;
                stack.push_back(state);
                pendingSkip = 0;
            } else if (c == '}') {
                if (stack.empty())
                    break;  // the document's own group has ended
                state = stack.back();
                stack.pop_back();
                pendingSkip = 0;
            } else if (c == '\\') {
                ControlWord(state, pendingSkip);
            } else if (c == '\r' || c == '\n') {
                continue;
            } else if (state.Dest == Destination::Text) {
                if (pendingSkip > 0) {
                    --pendingSkip;
                    continue;
                }
                Append(state, DecodeByte(uint8_t(c), CodePageOf(state)));
            } else if (state.Dest == Destination::FontTable && c == ';') {
                fontDefinition_ = -1;
            }
        }
        // Groups still open end here; the text after the last \par is the last paragraph.
        if (!current_.Text.isEmpty() || paragraphs_.empty())
            EndParagraph(state);
        out = std::move(paragraphs_);
        return RtfRead::Ok;
    }

private:
    int CodePageOf(const GroupState& s) const
    {
        auto it = fontCharset_.find(s.Font);
        if (it != fontCharset_.end()) {
            if (it->second == 238)
                return 1250;
            if (it->second == 0)
                return 1252;
        }
        return codePage_;
    }

    void Append(const GroupState& s, char16_t ch)
    {
        current_.Align = s.Align;
        current_.Text += QChar(ch);
        current_.Big.push_back(s.Big);
    }

    void EndParagraph(const GroupState& s)
    {
        if (current_.Text.isEmpty())
            current_.Align = s.Align;
        paragraphs_.push_back(std::move(current_));
        current_ = Paragraph{};
    }

    void ControlWord(GroupState& s, std::size_t& pendingSkip)
    {
        if (pos_ >= in_.size())
            return;
        const char first = in_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(first))) {
            ++pos_;
            ControlSymbol(s, first, pendingSkip);
            return;
        }
        QByteArray word;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_])) && word.size() < 32)
            word += in_[pos_++];
        bool hasNumber = false;
        bool negative = false;
        long long number = 0;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        int digits = 0;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            if (digits++ < 10)
                number = number * 10 + (in_[pos_] - '0');
            hasNumber = true;
            ++pos_;
        }
        if (negative)
            number = -number;
        if (pos_ < in_.size() && in_[pos_] == ' ')
            ++pos_;
        Word(s, word, hasNumber ? number : -1, hasNumber, pendingSkip);
    }

    void ControlSymbol(GroupState& s, char symbol, std::size_t& pendingSkip)
    {
        switch (symbol) {
        case '*':
            s.Dest = Destination::Skip;
            return;
        case '\'': {
            if (pos_ + 2 > in_.size()) {
                pos_ = in_.size();   // a cut escape ends the input
                return;
            }
            bool ok = false;
            const uint8_t byte = uint8_t(in_.mid(pos_, 2).toUInt(&ok, 16));
            pos_ += 2;
            if (!ok || s.Dest != Destination::Text)
                return;
            if (pendingSkip > 0) {
                --pendingSkip;
                return;
            }
            Append(s, DecodeByte(byte, CodePageOf(s)));
            return;
        }
        case '\\':
        case '{':
        case '}':
            if (s.Dest == Destination::Text)
                Append(s, char16_t(symbol));
            return;
        case '~':
            if (s.Dest == Destination::Text)
                Append(s, 0x00A0);
            return;
        case '_':
            if (s.Dest == Destination::Text)
                Append(s, '-');
            return;
        case '\r':
        case '\n':
            // A backslash before a line end is a paragraph mark.
            if (s.Dest == Destination::Text)
                EndParagraph(s);
            return;
        default:
            return;
        }
    }

    void Word(GroupState& s, const QByteArray& w, long long n, bool hasNumber, std::size_t& pendingSkip)
    {
        static const char* const skipped[] = {"colortbl", "stylesheet", "info", "pict", "object"};
        for (const char* name : skipped)
            if (w == name) {
                s.Dest = Destination::Skip;
                return;
            }
        if (w == "fonttbl") {
            s.Dest = Destination::FontTable;
            return;
        }
        if (w == "deff" && hasNumber) {
            s.Font = int(n);
            return;
        }
        if (w == "ansicpg" && hasNumber) {
            codePage_ = int(n);
            return;
        }
        if (s.Dest == Destination::FontTable) {
            if (w == "f" && hasNumber)
                fontDefinition_ = int(n);
            else if (w == "fcharset" && hasNumber && fontDefinition_ >= 0)
                fontCharset_[fontDefinition_] = int(n);
            return;
        }
        if (s.Dest != Destination::Text)
            return;
        if (w == "par" || w == "line" || w == "row") {
            EndParagraph(s);
        } else if (w == "pard") {
            s.Align = Qt::AlignLeft;
        } else if (w == "ql" || w == "qj") {
            s.Align = Qt::AlignLeft;
        } else if (w == "qc") {
            s.Align = Qt::AlignHCenter;
        } else if (w == "qr") {
            s.Align = Qt::AlignRight;
        } else if (w == "fs") {
            s.Big = hasNumber && n == 40;
        } else if (w == "plain") {
            s.Big = false;
        } else if (w == "f") {
            s.Font = hasNumber ? int(n) : -1;
        } else if (w == "uc") {
            s.UnicodeSkip = hasNumber && n >= 0 && n < 10 ? int(n) : 1;
        } else if (w == "u" && hasNumber) {
            Append(s, char16_t(n < 0 ? n + 65536 : n));
            pendingSkip = std::size_t(s.UnicodeSkip);
        } else if (w == "tab" || w == "cell") {
            // The register prints no tabs; a blank keeps the words apart.
            Append(s, ' ');
        }
    }

    const QByteArray& in_;
    qsizetype pos_ = 0;
    int codePage_ = 1250;
    int fontDefinition_ = -1;
    std::map<int, int> fontCharset_;
    std::vector<Paragraph> paragraphs_;
    Paragraph current_;
};

// ---- writing ----

void AppendText(QByteArray& out, const QString& text)
{
    for (QChar qc : text) {
        const char16_t ch = qc.unicode();
        if (ch == '\\' || ch == '{' || ch == '}') {
            out += '\\';
            out += char(ch);
            continue;
        }
        const int byte = ch == 0x2028 ? -1 : UnicodeToCp1250(ch);
        if (byte >= 0x20 && byte < 0x80) {
            out += char(byte);
        } else if (byte >= 0x80) {
            out += QByteArray("\\'") + QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
            // Characters the code page lacks (and controls) as Unicode, with a '?' for readers
            // that cannot take \u.
            out += "\\u" + QByteArray::number(int(int16_t(ch))) + '?';
        }
    }
}

} // namespace

RtfRead ReadRtf(const QByteArray& bytes, QTextDocument& document)
{
    if (bytes.size() > RtfMaxBytes)
        return RtfRead::TooLarge;
    if (!bytes.startsWith("{\\rtf"))
        return RtfRead::NotRtf;
    std::vector<Paragraph> paragraphs;
    // The reader starts inside the document's own group.
    const QByteArray body = bytes.mid(1);
    Reader reader(body);
    const RtfRead result = reader.Run(paragraphs);
    if (result != RtfRead::Ok)
        return result;

    document.clear();
    QTextCursor cursor(&document);
    // One edit block lays the document out once, and each run of one size goes in whole:
    // character by character, a long paragraph is laid out again on every insert.
    cursor.beginEditBlock();
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const Paragraph& p = paragraphs[i];
        QTextBlockFormat blockFormat;
        blockFormat.setAlignment(p.Align);
        if (i == 0)
            cursor.setBlockFormat(blockFormat);
        else
            cursor.insertBlock(blockFormat);
        for (qsizetype start = 0, end = 0; start < p.Text.size(); start = end) {
            const bool big = p.Big[std::size_t(start)];
            while (end < p.Text.size() && p.Big[std::size_t(end)] == big)
                ++end;
            QTextCharFormat f;
            f.setFontPointSize(big ? BigPointSize : NormalPointSize);
            cursor.insertText(p.Text.mid(start, end - start), f);
        }
    }
    cursor.endEditBlock();
    return RtfRead::Ok;
}

QByteArray WriteRtf(const QTextDocument& document)
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fmodern\\fcharset238 Courier New;}}\r\n";
    int size = 0;
    // Every paragraph ends with its \par, the last one too: a reader drops an empty paragraph
    // after the last \par, so an empty last line would be lost otherwise.
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const Qt::Alignment a = block.blockFormat().alignment();
        out += "\\pard";
        out += (a & Qt::AlignRight) ? "\\qr" : (a & Qt::AlignHCenter) ? "\\qc" : "\\ql";
        out += ' ';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int wanted = f.charFormat().fontPointSize() == BigPointSize ? 40 : 20;
            if (wanted != size) {
                out += "\\fs" + QByteArray::number(wanted) + ' ';
                size = wanted;
            }
            AppendText(out, f.text());
        }
        out += "\\par\r\n";
    }
    out += "}\r\n";
    return out;
}
