#pragma once
// The base of the read-out windows: while a transfer runs the other controls are disabled, and
// Esc, closing or the window's stop control stops it cleanly (the abort flag) instead of
// closing over a running read.
#include "link/ExchangeGuard.h"
#include "platform/Form.h"

#include <QString>
#include <optional>
#include <utility>
#include <vector>

class QCloseEvent;

class TReadoutWindow : public TForm {
    Q_OBJECT
public:
    explicit TReadoutWindow(QWidget* parent = nullptr);
    bool FormKeyDown(int key) override;
    bool Transferring() const { return transferring_; }
    // Asks the running transfer to stop.
    void StopTransfer();

protected:
    // Disables every control but those in keep, clears the abort flag and marks the transfer; the
    // first control kept is the stop button, the one control of any window that still answers.
    void BeginTransfer(std::vector<QWidget*> keep);
    void EndTransfer();
    void closeEvent(QCloseEvent* event) override;

private:
    bool transferring_ = false;
    std::vector<std::pair<QWidget*, bool>> locked_;
    std::optional<ExchangeGuard> exchange_;
};

// The read-out windows' wording of the overwrite question.
inline const QString ReadoutOverwriteQuestion = QStringLiteral(" już istnieje.Kontynuować? ");
