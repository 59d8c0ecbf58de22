#pragma once
// What the sixteen report windows share: the title, "Wykonaj" and "Anuluj", the keys, the
// option radio groups, the range selection by radio buttons beside group boxes, and the
// goods-range and option-only report shapes that several windows take.
#include "platform/Form.h"
#include "tables/SmallTableWidgets.h"

#include <QGroupBox>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

// Radio buttons without captions, each beside a group box: the checked one's box is enabled,
// its inputs white; the other boxes are disabled, their inputs in the light 3-D colour. The
// first box may hold no input and then stays enabled.
class RangeSelection {
public:
    // Adds one row (radio button, box) to the layout; the box's inputs are listed for colouring.
    QRadioButton* AddRow(QVBoxLayout* layout, QGroupBox* box, std::vector<QWidget*> inputs, bool alwaysEnabled = false);
    void Apply();
    int Checked() const;
    void Check(int index);

private:
    struct Row {
        QRadioButton* Button;
        QGroupBox* Box;
        std::vector<QWidget*> Inputs;
        bool AlwaysEnabled;
    };
    std::vector<Row> rows_;
};

class TReportWindow : public TForm {
    Q_OBJECT
public:
    TReportWindow(const QString& caption, const QString& title, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;        // the report's title
    QPushButton* Button1 = nullptr;  // "Wykonaj"
    QPushButton* Button2 = nullptr;  // "Anuluj"

    virtual void Button1Click() = 0;
    void Button2Click();
    // Esc closes (where the window allows it); Enter never runs "Wykonaj": a zeroing report
    // cannot be undone.
    bool FormKeyDown(int key) override;

protected:
    // The layout the window's own controls go into, above the buttons.
    QVBoxLayout* Body() const { return body_; }
    void SetEscCloses(bool closes) { escCloses_ = closes; }
    // Reads the register's reply to a report, waiting out a "printing" reply once.
    static int ReadReportReply();

private:
    QVBoxLayout* body_ = nullptr;
    bool escCloses_ = true;
};

// "Raport zerujący?" / "Drukować rekordy zerowe?": items "Nie", "Tak", preset "Nie".
TRadioGroup* NoYesGroup(const QString& caption, QWidget* parent);

// The goods-range reports: whole base, one goods group, or a PLU range, with their options.
class TGoodsRangeReport : public TReportWindow {
    Q_OBJECT
public:
    QRadioButton* RadioButton1 = nullptr;  // "Raport całej bazy"
    QRadioButton* RadioButton2 = nullptr;  // "Raport grupy towarowej"
    QRadioButton* RadioButton3 = nullptr;  // "Raport według numerów PLU"
    QComboBox* ComboBox1 = nullptr;        // group "1".."20"
    QLineEdit* Edit1 = nullptr;            // "Od"
    QLineEdit* Edit2 = nullptr;            // "Do"
    RangeSelection Range;

    void Button1Click() override;

protected:
    TGoodsRangeReport(const QString& caption, const QString& title, QWidget* parent);
    // Sends the request for the selector (1 whole base, 3 PLU range) and the range.
    virtual void SendRange(uint8_t selector, uint16_t first, uint16_t last) = 0;
    // Sends the request for one goods group (selector 2).
    virtual void SendGroup(uint8_t group) = 0;
};

// The reports of rows 6-10: "Drukować rekordy zerowe?" and "Raport zerujący", one builder.
class TOptionsReport : public TReportWindow {
    Q_OBJECT
public:
    using Builder = int (*)(uint8_t address, uint16_t frameNumber, uint8_t zeroRecords, uint8_t zeroing);
    TRadioGroup* RadioGroup1 = nullptr;  // "Drukować rekordy zerowe?"
    QCheckBox* CheckBox1 = nullptr;      // "Raport zerujący"
    void Button1Click() override;

protected:
    TOptionsReport(const QString& caption, const QString& title, Builder builder, QWidget* parent,
                   const QString& zeroRecordsCaption = QStringLiteral("Drukować rekordy zerowe?"));

private:
    Builder builder_;
};

// The reports without options: one request; its answer is awaited and dropped.
class TPlainReport : public TReportWindow {
    Q_OBJECT
public:
    using Builder = int (*)(uint8_t address, uint16_t frameNumber);
    void Button1Click() override;

protected:
    TPlainReport(const QString& caption, const QString& title, Builder builder, QWidget* parent);

private:
    Builder builder_;
};
