#pragma once

#include <QByteArray>
#include <QList>

// Stacks of pages as a scanner makes them: each sheet a greyscale JPEG at 100 dpi filling a
// US letter page, on off-white paper with noise, a few specks and a 0.5 degree skew.
class ScanFixtures {
public:
    enum class Sheet {
        Letter, // forty lines of text
        LetterEnd, // a letter's last page: three lines
        BleedThrough, // blank, but the back's text shows through, mirrored and faint
        Black, // a near-black separator sheet
        QrCode, // a separator sheet with a QR code of kQrText
        Code128, // a separator sheet with a Code 128 barcode of kCode128Text
        TwoLinearCodes, // a label sheet: kCode128Text in Code 128, and kCode39Text in Code 39 below it
    };
    static constexpr const char *kQrText = "SEPARATOR QR-7 &#x";
    static constexpr const char *kCode128Text = "SEP-128-42";
    static constexpr const char *kCode39Text = "BOX-39";

    // The JPEG data of one sheet; the seed makes its noise and specks.
    static QByteArray scan(Sheet sheet, quint32 seed);
    // A PDF of the sheets, then of born-digital pages whose content streams are textPages
    // (Helvetica as /F1).
    static QByteArray stack(const QList<Sheet> &sheets, const QList<QByteArray> &textPages = {});
};
