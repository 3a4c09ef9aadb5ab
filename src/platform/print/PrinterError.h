#pragma once
#include <QString>
#include <stdexcept>

// A printing failure with the device's error number: 380 when the device refuses a setting
// (a paper size or orientation it cannot take, a size or width out of range), 482 when the
// device cannot print at all.
class PrinterError : public std::runtime_error {
public:
    static constexpr int kInvalidSetting = 380;
    static constexpr int kDeviceError = 482;

    PrinterError(int code, const QString& message)
        : std::runtime_error(message.toStdString()), code_(code), message_(message)
    {
    }

    int code() const { return code_; }
    const QString& message() const { return message_; }

private:
    int code_;
    QString message_;
};
