#pragma once
// A 24-bit device-independent copy of a picture in memory: 3 bytes per pixel
// in the order blue, green, red, every row padded to a multiple of 4 bytes,
// the first row in memory the bottom row of the picture.

#include <QImage>
#include <cstdint>
#include <vector>

namespace velorin {

class cDIBSection {
public:
    cDIBSection() = default;
    ~cDIBSection() { ClearUp(); }
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;

    // Bytes per row for a width: width x 3 rounded up to a multiple of 4.
    static int bytesPerScanLine(int width);

    // Clears, then makes a black bitmap of that size. Fails (leaving the
    // bitmap empty) for a size that is not positive or is too large to hold.
    bool Create(int width, int height);
    // Makes the bitmap a copy of the picture; a picture that cannot be held
    // leaves the bitmap empty.
    void CreateFromPicture(const QImage& picture);
    // Copies from source at (left, top) into the bitmap at (0, 0); a negative
    // width or height means the bitmap's. Only what lies inside both is copied.
    void LoadPictureBlt(const QImage& source, int left = 0, int top = 0, int width = -1,
                        int height = -1);

    int BytesPerScanLine() const { return bytesPerScanLine(m_width); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::uint8_t* DIBSectionBitsPtr() const {
        return m_bits.empty() ? nullptr : m_bits.data();
    }
    std::uint8_t* DIBSectionBitsPtr() { return m_bits.empty() ? nullptr : m_bits.data(); }
    // Releases the pixels.
    void ClearUp();

    // The pixel at (x, y), y counted from the top as in the picture.
    QRgb pixel(int x, int y) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_bits;
};

} // namespace velorin
