// At twice the pixel density (a 200 % display) every picture that the window, its menus and the
// About box show is drawn from its own double-size drawing in res/images, not blown up from the
// normal one; at 100 % (QUIRE_TEST_SCALE=1) from the normal drawing, as ever. The expected
// pixels are read from the `.pix` sources themselves.
#include "app/AboutDlg.h"
#include "app/SplitterDlg.h"
#include "support/MainWindowProbe.h"
#include "support/StandInEngine.h"

#include "PixImage.h"
#include "framework/SystemColours.h"

#include <QApplication>
#include <QMenuBar>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace qw;

namespace {

// The display's scale: 2 unless the environment asks for 1.
const int kScale = qEnvironmentVariableIntValue("QUIRE_TEST_SCALE") == 1 ? 1 : 2;

const QByteArray kFakeEngine = R"(#!/bin/sh
for last in "$@"; do :; done
printf 'NumberOfPages: 4\n' > "$last"
)";

enum class Shown { Button, Row, AboutIcon, MenuGlyph };

// A `.pix` drawing as an image with its transparent pixels clear (the mask; white for a button
// picture; silver for a menu glyph, whose black, greys and white take the system's button
// colours), in the form that pictures are drawn and scaled in.
QImage drawing(const QString &name, Shown shown)
{
    const PixImage pix = ReadPixFile((QStringLiteral(QUIRE_IMAGES_DIR "/") + name).toStdString());
    const QList<std::pair<QRgb, QRgb>> glyphColours = {
        {qRgb(0, 0, 0), GetSysColour(SysColour::BtnText).rgb()},
        {qRgb(128, 128, 128), GetSysColour(SysColour::BtnShadow).rgb()},
        {qRgb(255, 255, 255), GetSysColour(SysColour::BtnHighlight).rgb()}};
    QImage image(pix.width, pix.height, QImage::Format_ARGB32);
    for (int y = 0; y < pix.height; ++y)
        for (int x = 0; x < pix.width; ++x) {
            const Rgb c = pix.at(x, y);
            QRgb colour = qRgb(c.r, c.g, c.b);
            bool clear = pix.hasMask && pix.clearAt(x, y);
            if (shown == Shown::Button)
                clear = c == Rgb{255, 255, 255};
            if (shown == Shown::MenuGlyph) {
                clear = c == Rgb{192, 192, 192};
                for (const auto &[from, to] : glyphColours)
                    colour = colour == from ? to : colour;
            }
            image.setPixel(x, y, clear ? 0 : colour);
        }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Where `expected` is opaque it must be found in `drawn` at some place inside `area` (device
// pixels); the place of a picture in a row or a label is the style's business, not the test's.
bool foundIn(const QImage &drawn, const QImage &expected, const QRect &area)
{
    for (int top = area.top(); top + expected.height() <= qMin(area.bottom() + 1, drawn.height()); ++top)
        for (int left = area.left(); left + expected.width() <= qMin(area.right() + 1, drawn.width()); ++left) {
            bool same = true;
            for (int y = 0; same && y < expected.height(); ++y)
                for (int x = 0; same && x < expected.width(); ++x) {
                    const QRgb want = expected.pixel(x, y);
                    same = qAlpha(want) != 255 || (drawn.pixel(left + x, top + y) | 0xFF000000) == want;
                }
            if (same)
                return true;
        }
    return false;
}

QImage deviceImage(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

class TestDoubleSizePictures : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void picturesComeFromTheDoubleSizeDrawings_data();
    void picturesComeFromTheDoubleSizeDrawings();
};

void TestDoubleSizePictures::initTestCase()
{
    QCOMPARE(qApp->devicePixelRatio(), qreal(kScale));
    QVERIFY(InstallStandInEngine(kFakeEngine));
}

Q_DECLARE_METATYPE(Shown)

void TestDoubleSizePictures::picturesComeFromTheDoubleSizeDrawings_data()
{
    QTest::addColumn<Shown>("shown");
    QTest::addColumn<int>("which"); // control id, row number, or menu position
    QTest::addColumn<QString>("source"); // the drawing at the normal size, under res/images
    QTest::addColumn<int>("shownSize"); // the size it is shown at, in device-independent pixels
    QTest::addColumn<QString>("entry"); // the menu entry that shows it

    QTest::newRow("openButton") << Shown::Button << int(CtrlId::OpenButton) << "buttons/open.pix" << 32 << QString();
    QTest::newRow("insertButton") << Shown::Button << int(CtrlId::InsertButton) << "buttons/insert.pix" << 32 << QString();
    QTest::newRow("deleteButton") << Shown::Button << int(CtrlId::DeleteButton) << "buttons/delete.pix" << 32 << QString();
    QTest::newRow("splitButton") << Shown::Button << int(CtrlId::SplitButton) << "buttons/split.pix" << 32 << QString();
    QTest::newRow("optionsButton") << Shown::Button << int(CtrlId::OptionsButton) << "buttons/options.pix" << 32 << QString();
    QTest::newRow("pageRow") << Shown::Row << 3 << "icons/page.pix" << 20 << QString();
    QTest::newRow("breakPointRow") << Shown::Row << 2 << "icons/breakpoint.pix" << 20 << QString();
    QTest::newRow("aboutBoxIcon") << Shown::AboutIcon << 0 << "icons/app.pix" << 32 << QString();
    // The entry shown selected, as the pointer over it makes it: its own glyph, not a variant.
    QTest::newRow("openGlyph") << Shown::MenuGlyph << 0 << "toolbar/01-open.pix" << 16 << "&Open...";
    QTest::newRow("exitGlyph") << Shown::MenuGlyph << 0 << "toolbar/13-exit.pix" << 16 << "&Exit";
    QTest::newRow("splitGlyph") << Shown::MenuGlyph << 1 << "toolbar/03-split.pix" << 16 << "&Split PDF Based Break Points";
    QTest::newRow("webSiteGlyph") << Shown::MenuGlyph << 2 << "toolbar/10-website.pix" << 16 << "&View Web Site";
    QTest::newRow("aboutGlyph") << Shown::MenuGlyph << 2 << "toolbar/07-about.pix" << 16 << "&About...";
}

void TestDoubleSizePictures::picturesComeFromTheDoubleSizeDrawings()
{
    QFETCH(Shown, shown);
    QFETCH(int, which);
    QFETCH(QString, source);
    QFETCH(int, shownSize);
    QFETCH(QString, entry);

    QString doubleSource = source;
    doubleSource.replace(QStringLiteral(".pix"), QStringLiteral("@2x.pix"));
    const QImage twice = drawing(doubleSource, shown);
    const QImage normal = drawing(source, shown);
    QCOMPARE(twice.size(), normal.size() * 2);
    // A drawing that merely doubles every pixel would prove nothing.
    QVERIFY(twice != normal.scaled(twice.size()));
    const QString shownSource = kScale == 2 ? doubleSource : source;
    QImage expected = kScale == 2 ? twice : normal;
    if (expected.width() != shownSize * kScale && shown != Shown::MenuGlyph)
        expected = expected.scaled(shownSize * kScale, shownSize * kScale, Qt::IgnoreAspectRatio,
                                   Qt::SmoothTransformation);

    QImage drawn;
    QRect area;
    if (shown == Shown::AboutIcon) {
        QTimer::singleShot(0, this, [&] {
            auto *about = qobject_cast<AboutDlg *>(QApplication::activeModalWidget());
            QVERIFY(about);
            for (QLabel *label : about->findChildren<QLabel *>())
                if (!label->pixmap().isNull()) {
                    drawn = deviceImage(label);
                    area = QRect(QPoint(0, 0), drawn.size());
                }
            about->reject();
        });
        AboutDlg about;
        about.DoModal();
    } else {
        SplitterDlg dlg;
        dlg.Create();
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        probe::Open(dlg, QStringLiteral("/docs/four.pdf"));
        QTreeView *list = probe::PageList(dlg);
        if (shown == Shown::Row) {
            // A break point before page 3, and the selection away from the row looked at.
            list->setCurrentIndex(list->model()->index(2, 0));
            QTest::keyClick(list, Qt::Key_F2);
            QCOMPARE(probe::RowText(dlg, 2), QStringLiteral("BreakPoint"));
            list->setCurrentIndex(list->model()->index(0, 0));
            const QRect row = list->visualRect(list->model()->index(which, 0));
            drawn = deviceImage(list->viewport());
            area = QRect(row.topLeft() * kScale, row.size() * kScale);
        } else if (shown == Shown::MenuGlyph) {
            QMenu *menu = qobject_cast<QMenu *>(dlg.MenuBar()->actions().at(which)->menu());
            QVERIFY(menu);
            QAction *action = nullptr;
            for (QAction *candidate : menu->actions())
                if (candidate->text().startsWith(entry))
                    action = candidate;
            QVERIFY2(action, qPrintable(entry));
            menu->adjustSize();
            menu->setActiveAction(action);
            const QRect place = menu->actionGeometry(action);
            drawn = deviceImage(menu);
            area = QRect(place.topLeft() * kScale, place.size() * kScale);
        } else {
            IconButton *b = probe::Button(dlg, which);
            QVERIFY(b);
            b->setEnabled(true);
            drawn = deviceImage(b);
            // Above the caption, centred, 3 pixels from the top.
            area = QRect(QPoint((b->width() - shownSize) / 2, 3) * kScale, expected.size());
        }
    }
    QVERIFY(!drawn.isNull());
    QVERIFY2(foundIn(drawn, expected, area), qPrintable(shownSource + QStringLiteral(" is not what is drawn")));
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(kScale));
    QApplication app(argc, argv);
    TestDoubleSizePictures test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_doublesizepictures.moc"
