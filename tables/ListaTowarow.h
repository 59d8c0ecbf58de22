#pragma once
// "Lista towarów": the stored goods, from which the quick-key editor picks a PLU.
#include <QDialog>

class GoodsGridModel;
class QPushButton;
class QTableView;

class TListaTowarow : public QDialog {
    Q_OBJECT
public:
    explicit TListaTowarow(QWidget* parent = nullptr);
    ~TListaTowarow() override;

    QTableView* StringGrid1 = nullptr;
    GoodsGridModel* GoodsModel = nullptr;
    QPushButton* Button1 = nullptr;   // "OK"
    QPushButton* Button2 = nullptr;   // "Zamknij"

    // The PLU of the row chosen with "OK" (0: none). The quick-key window reads it after the
    // list closes with Accepted.
    unsigned SelectedPlu = 0;

    void FormShow();
    void FormKeyDown(int key);
    void Button1Click();          // OK
    void Button2Click();          // Zamknij
    void StringGrid1DblClick();

    int SelectedRow() const;
    void SelectRow(int row);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

extern TListaTowarow* ListaTowarow;
