#include "app/cli/PasswordPrompt.h"

#include <QFile>

#include <cstdio>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString firstLine(const QByteArray &bytes)
{
    QByteArray line = bytes.left(bytes.indexOf('\n') < 0 ? bytes.size() : bytes.indexOf('\n'));
    if (line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

QByteArray readLineFrom(int fd)
{
    QByteArray line;
    char c = 0;
    while (::read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

} // namespace

QString promptPassword(const QString &prompt)
{
    const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (tty < 0) {
        // No terminal: a script hands the password on standard input.
        if (std::feof(stdin))
            return {};
        return firstLine(readLineFrom(STDIN_FILENO) + '\n');
    }
    const QByteArray text = prompt.toUtf8();
    [[maybe_unused]] const ssize_t shown = ::write(tty, text.constData(), size_t(text.size()));
    termios saved{};
    const bool canHide = ::tcgetattr(tty, &saved) == 0;
    if (canHide) {
        termios hidden = saved;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(tty, TCSAFLUSH, &hidden);
    }
    const QByteArray line = readLineFrom(tty);
    if (canHide)
        ::tcsetattr(tty, TCSAFLUSH, &saved);
    [[maybe_unused]] const ssize_t newline = ::write(tty, "\n", 1);
    ::close(tty);
    return firstLine(line + '\n');
}

QString readPasswordFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return firstLine(file.read(4096));
}
