#include "ProgressLine.h"

#include "platform/Terminal.h"

#include <cstdio>

namespace {
constexpr int64_t kQuietMs = 1000;
constexpr int64_t kRedrawMs = 200;
} // namespace

ProgressLine::ProgressLine(QString label)
    : label_(std::move(label)), terminal_(platform::IsTerminal(platform::StandardStream::Error))
{
    clock_.start();
}

ProgressLine::~ProgressLine()
{
    if (shown_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
}

void ProgressLine::Update(int64_t done, int64_t total)
{
    if (!terminal_)
        return;
    const int64_t now = clock_.elapsed();
    if (now < kQuietMs || now - lastDrawMs_ < kRedrawMs)
        return;
    lastDrawMs_ = now;
    QString text = QStringLiteral("\r\033[K%1").arg(label_);
    if (total > 0)
        text += QStringLiteral(" %1%").arg(done * 100 / total);
    text += QStringLiteral(" (%1 s)").arg(now / 1000);
    std::fputs(text.toUtf8().constData(), stderr);
    std::fflush(stderr);
    shown_ = true;
}
