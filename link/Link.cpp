#include "link/Link.h"

#include "link/LinkIo.h"
#include "platform/ClientSocket.h"
#include "platform/Prompts.h"
#include "platform/SerialPort.h"

#include <cstring>

LinkState Link;

namespace {
ClientSocket* tcpSocket = nullptr;
} // namespace

ClientSocket& TcpSocket()
{
    // Never deleted: it must outlive every window that holds a handler on it, and the event
    // loop is gone by the time static objects are destroyed.
    if (!tcpSocket)
        tcpSocket = new ClientSocket();
    return *tcpSocket;
}

void ResetLinkState()
{
    CloseComPort();
    if (tcpSocket && tcpSocket->Active())
        tcpSocket->Close();
    std::memset(Link.ReceiveBuffer, 0, sizeof Link.ReceiveBuffer);
    Link.SerialHandle = nullptr;
    Link.RegisterAddress = 1;
    Link.AbortRequestFlag = 0;
    Link.TcpConnectState = 0;
    Link.Transport = nullptr;
    ResetLinkIo();
}

// ---- frames ----

void BuildFrameHeader(uint8_t* buffer, uint8_t address, uint16_t length, uint16_t frameNumber, uint8_t command)
{
    if (length < 9)
        return;  // no frame is shorter than header, checksum and end
    buffer[0] = FrameStart;
    buffer[1] = address;
    buffer[2] = uint8_t(length & 0xFF);
    buffer[3] = uint8_t(length >> 8);
    buffer[4] = uint8_t(frameNumber & 0xFF);
    buffer[5] = uint8_t(frameNumber >> 8);
    buffer[6] = command;
    std::memset(buffer + 7, 0, length - 8);
    buffer[length - 1] = FrameEnd;
}

uint16_t FrameLengthField(const uint8_t* frame) { return uint16_t(frame[2] | (frame[3] << 8)); }

uint8_t FrameChecksum(const uint8_t* frame, std::size_t maxLength)
{
    if (maxLength < 4)
        return 0;
    const std::size_t length = FrameLengthField(frame);
    if (length < 3 || length > maxLength)
        return 0;
    // Starting from 0xFF and inverting at the end gives the plain XOR.
    uint8_t sum = 0xFF;
    for (std::size_t i = 1; i + 2 < length; ++i)
        sum ^= frame[i];
    return uint8_t(~sum);
}

void SealFrame(uint8_t* frame)
{
    const std::size_t length = FrameLengthField(frame);
    if (length < 3)
        return;
    frame[length - 2] = FrameChecksum(frame, length);
}

bool IsWholeFrame(const uint8_t* frame, std::size_t count)
{
    return count >= 9 && frame[0] == FrameStart && FrameLengthField(frame) == count && frame[count - 1] == FrameEnd
        && FrameChecksum(frame, count) == frame[count - 2];
}

namespace {
void SendAckFrame(uint8_t address, uint8_t status)
{
    uint8_t frame[10];
    BuildFrameHeader(frame, address, sizeof frame, 1, ReplyAck);
    frame[7] = status;
    SealFrame(frame);
    SendBytes(frame, 1, sizeof frame);
}
} // namespace

void SendAckStatus0(uint8_t address) { SendAckFrame(address, 0); }
void SendAckStatus1(uint8_t address) { SendAckFrame(address, 1); }
void SendAckStatus3(uint8_t address) { SendAckFrame(address, 3); }
void SendAckStatus4(uint8_t address) { SendAckFrame(address, 4); }

// ---- settings backup ----

namespace {

// The serial fields that the settings window backs up when it opens and puts back after a
// failed apply.
void CopySerialSettings(const StructParametryProgramu& from, StructParametryProgramu& to)
{
    to.ComPortNumber = from.ComPortNumber;
    to.BaudRate = from.BaudRate;
    to.DataBits = from.DataBits;
    to.Parity = from.Parity;
    to.StopBits = from.StopBits;
    to.XonXoffFlag = from.XonXoffFlag;
    to.RtsCtsFlag = from.RtsCtsFlag;
}

} // namespace

void SaveLinkSettings() { CopySerialSettings(LinkSettings, LinkSettingsBackup); }

void RestoreLinkSettings() { CopySerialSettings(LinkSettingsBackup, LinkSettings); }

void ShowRegisterError(int code)
{
    ShowMessage(QStringLiteral("Błąd %1: ").arg(code) + ErrorText(code));
}
