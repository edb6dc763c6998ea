#include "dibsection.h"

#include <algorithm>

namespace velorin {

namespace {

// Larger pictures than this are refused rather than allocated: far beyond any
// screen, and a bound on the memory a bad size can claim.
constexpr qint64 kMaxPixels = qint64(64) * 1024 * 1024;
constexpr int kMaxSide = 32767;

} // namespace

int cDIBSection::bytesPerScanLine(int width) {
    return (width * 3 + 3) & ~3;
}

bool cDIBSection::Create(int width, int height) {
    ClearUp();
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide ||
        qint64(width) * height > kMaxPixels)
        return false;
    m_bits.assign(size_t(bytesPerScanLine(width)) * size_t(height), 0);
    m_width = width;
    m_height = height;
    return true;
}

void cDIBSection::CreateFromPicture(const QImage& picture) {
    if (!Create(picture.width(), picture.height()))
        return;
    LoadPictureBlt(picture);
}

void cDIBSection::LoadPictureBlt(const QImage& source, int left, int top, int width, int height) {
    if (m_bits.empty() || source.isNull())
        return;
    const int w = width >= 0 ? width : m_width;
    const int h = height >= 0 ? height : m_height;
    // The part inside both the source (from left, top) and the bitmap (from 0, 0).
    const int x0 = std::max(0, -left);
    const int y0 = std::max(0, -top);
    const int x1 = std::min({w, m_width, source.width() - left});
    const int y1 = std::min({h, m_height, source.height() - top});
    if (x1 <= x0 || y1 <= y0)
        return;
    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    const int stride = BytesPerScanLine();
    for (int y = y0; y < y1; ++y) {
        const uchar* in = rgb.constScanLine(top + y) + size_t(left + x0) * 3;
        std::uint8_t* out =
            m_bits.data() + size_t(m_height - 1 - y) * size_t(stride) + size_t(x0) * 3;
        for (int x = x0; x < x1; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
}

void cDIBSection::ClearUp() {
    m_bits.clear();
    m_bits.shrink_to_fit();
    m_width = 0;
    m_height = 0;
}

QRgb cDIBSection::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    const std::uint8_t* p =
        m_bits.data() + size_t(m_height - 1 - y) * size_t(BytesPerScanLine()) + size_t(x) * 3;
    return qRgb(p[2], p[1], p[0]);
}

} // namespace velorin
