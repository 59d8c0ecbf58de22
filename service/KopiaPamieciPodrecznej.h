#pragma once
// "Zrzut pamięci podręcznej": copies the register's cache memory into "Kopia_cache.bin" and
// stamps it with the date and time of the copy.
#include "service/ReadoutWindow.h"

class QFrame;
class QLabel;
class QPushButton;

class TKopiaPamieciPodrecznej : public TReadoutWindow {
    Q_OBJECT
public:
    explicit TKopiaPamieciPodrecznej(QWidget* parent = nullptr);

    QPushButton* Button1 = nullptr;  // "Wykonaj zrzut pamięci podręcznej"
    QPushButton* Button2 = nullptr;  // "Anuluj"
    QFrame* Panel2 = nullptr;        // shown during the dump
    QLabel* Label2 = nullptr;        // packet count

    // The file, in the current folder.
    QString FileName = QStringLiteral("Kopia_cache.bin");

    void Button1Click();
    void Button2Click();

private:
    FormInstance<TKopiaPamieciPodrecznej> instance_;
};

extern TKopiaPamieciPodrecznej* KopiaPamieciPodrecznej;
