#include "service/DeviceSimulator.h"

namespace {

constexpr unsigned char Stx = 0x02, Etx = 0x03, Enq = 0x05, Ack = 0x06, Dc1 = 0x11;

std::string BlanksAsZeros(std::string s)
{
    for (char& c : s)
        if (c == ' ')
            c = '0';
    return s;
}

const QString ErrorStatus = QStringLiteral("Błąd");

} // namespace

std::string ScaleWeightMessage(const std::string& field)
{
    return BlanksAsZeros(std::string(1, char(Stx)) + "  " + field + char(Etx));
}

std::string ScannerCodeMessage(const std::string& field) { return BlanksAsZeros(field + "\r\n"); }

DeviceSimulator::Step DeviceSimulator::Advance(std::optional<unsigned char> byte, const std::string& field)
{
    Step s;
    switch (CurrentState) {
    case ScaleWaitingEnq:
        if (!byte)
            break;
        if (*byte != Enq) {
            s.Message = QStringLiteral("Błąd Transmisji(0x05)");
            s.Status = ErrorStatus;
            break;
        }
        s.Send = true;
        s.Bytes = std::string(1, char(Ack));
        break;
    case ScaleWaitingDc1:
        if (!byte)
            break;
        if (*byte != Dc1) {
            s.Message = QStringLiteral("Błąd Transmisji(0x11)");
            s.Status = ErrorStatus;
            break;
        }
        s.Send = true;
        s.Bytes = ScaleWeightMessage(field);
        s.RememberField = true;
        break;
    case ScannerSending:
        s.Send = true;
        s.Bytes = ScannerCodeMessage(field);
        s.RememberField = true;
        break;
    default:
        s.StopTimer = true;
        break;
    }
    return s;
}

DeviceSimulator::Step DeviceSimulator::Sent(bool ok, bool& beep)
{
    Step s;
    beep = false;
    if (!ok) {
        s.Message = QStringLiteral("Błąd Transmisji(Send))");
        s.Status = ErrorStatus;
        CurrentState = Idle;
        return s;
    }
    switch (CurrentState) {
    case ScaleWaitingEnq:
        CurrentState = ScaleWaitingDc1;
        break;
    case ScaleWaitingDc1:
        CurrentState = Idle;
        s.Status = QStringLiteral("Wysłano...");
        beep = true;
        break;
    case ScannerSending:
        CurrentState = Idle;
        s.Status = QStringLiteral("Skanowanie OK");
        beep = true;
        break;
    default:
        break;
    }
    return s;
}
