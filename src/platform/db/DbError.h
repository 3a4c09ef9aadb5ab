#pragma once
#include <QString>
#include <stdexcept>

// An error of the database engine. The message is Japanese and is what the person sees;
// handlers that touch the database catch it at their edge and show it.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};
