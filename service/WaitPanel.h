#pragma once
// The "Czekaj..." panel that the service windows show over themselves while the register works.
class QFrame;
class QWidget;

// Made hidden, as a child of window.
QFrame* MakeWaitPanel(QWidget* window);
// Shows the panel centred over its window and paints it at once (the wait that follows blocks
// the event loop), or hides it.
void ShowWaitPanel(QFrame* panel, bool shown);
