#include "WindowRect.h"

#include <QtEndian>
#include <algorithm>
#include <limits>

namespace {
void PutInt32(char* out, int32_t value) { qToLittleEndian<int32_t>(value, out); }
int32_t GetInt32(const char* in) { return qFromLittleEndian<int32_t>(in); }

// A positive extent that QRect can hold.
bool HasSizeAsInt(int32_t from, int32_t to)
{
    const int64_t extent = int64_t(to) - int64_t(from);
    return extent > 0 && extent <= std::numeric_limits<int32_t>::max();
}

int ClampedExtent(int32_t from, int32_t to)
{
    return int(std::clamp<int64_t>(int64_t(to) - int64_t(from), 0, std::numeric_limits<int32_t>::max()));
}

int32_t ClampedEnd(int start, int extent)
{
    const int64_t end = int64_t(start) + int64_t(extent);
    return int32_t(std::clamp<int64_t>(end, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}
} // namespace

QByteArray WindowRectToBytes(const WindowRect& rect)
{
    QByteArray bytes(kWindowRectBytes, '\0');
    PutInt32(bytes.data() + 0, rect.left);
    PutInt32(bytes.data() + 4, rect.top);
    PutInt32(bytes.data() + 8, rect.right);
    PutInt32(bytes.data() + 12, rect.bottom);
    return bytes;
}

std::optional<WindowRect> WindowRectFromBytes(const QByteArray& bytes)
{
    if (bytes.size() != kWindowRectBytes)
        return std::nullopt;
    const WindowRect rect{GetInt32(bytes.constData() + 0), GetInt32(bytes.constData() + 4),
                          GetInt32(bytes.constData() + 8), GetInt32(bytes.constData() + 12)};
    if (!HasSizeAsInt(rect.left, rect.right) || !HasSizeAsInt(rect.top, rect.bottom))
        return std::nullopt;
    return rect;
}

QRect ToQRect(const WindowRect& rect)
{
    return QRect(QPoint(rect.left, rect.top), QSize(ClampedExtent(rect.left, rect.right), ClampedExtent(rect.top, rect.bottom)));
}

WindowRect FromQRect(const QRect& rect)
{
    return WindowRect{rect.x(), rect.y(), ClampedEnd(rect.x(), rect.width()), ClampedEnd(rect.y(), rect.height())};
}
