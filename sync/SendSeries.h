#pragma once
// The user's stop ("Anuluj", Esc, closing the window) in a series of frames sent to the register.
// A stop puts the last-frame bit into the next frame; whatever the register answers that frame
// (accepted, refused or nothing at all), the series ends there and reports the stop.

// After a reply that failed: lets a stop the user asked for while it was awaited take effect;
// true when the user stopped the transfer.
bool StoppedDuringReply();

class SeriesStop {
public:
    // Before each frame: lets window events run, so that the stop is taken; true from the stop on,
    // when the frame carries the last-frame bit.
    bool BeforeFrame();
    // After the reply to a frame: true when the series ends as a stop: the frame went out after
    // the stop, the user answered No at "Brak papieru!", or a failed reply came after a stop.
    bool EndsSeries(int reply);
    // Shows the stop text once the series ended as a stop (unless the link has shown it already);
    // true then.
    bool ReportStop() const;

private:
    bool asked_ = false;
    bool ended_ = false;
    bool shownByLink_ = false;
};
