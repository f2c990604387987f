// Printed pages measured as a user would hold them: text size, margins, colours, what is printed.
#include <climits>

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

#include "support/editorfixture.h"
#include "support/scopedvalue.h"
#include "ui/views/largetextview.h"
#include "ui/views/printing.h"

using namespace qm;

namespace {
constexpr int kDpi = 200;  // fine enough to measure a 10 pt line to a tenth of a point

// A page that keeps every piece of text drawn on it, clipped or not, as a printer's file does.
class TextRecorder : public QPaintDevice {
public:
    QString text;

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric m) const override {
        switch (m) {
            case PdmWidth: return static_cast<int>(8.5 * kDpi);
            case PdmHeight: return 11 * kDpi;
            case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return kDpi;
            case PdmWidthMM: return 216;
            case PdmHeightMM: return 279;
            case PdmDepth: return 32;
            case PdmNumColors: return INT_MAX;
            case PdmDevicePixelRatio: return 1;
            case PdmDevicePixelRatioScaled: return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
            default: return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder& page) : QPaintEngine(AllFeatures), m_page(page) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override { m_page.text += item.text() + '|'; }
        Type type() const override { return User; }

    private:
        TextRecorder& m_page;
    };
    mutable Engine m_engine{*this};
};

class Printing : public EditorFixture {
protected:
    // One page as a printer at kDpi gets it: a Letter sheet, the layout painted inside half-inch margins.
    static QImage Page(const CEditView& view, int page = 0, bool selectionOnly = false, int* pages = nullptr) {
        return PageOf(TextToPrint(view, selectionOnly), page, pages);
    }
    static QImage PageOf(const PrintText& text, int page = 0, int* pages = nullptr) {
        QImage image(static_cast<int>(8.5 * kDpi), 11 * kDpi, QImage::Format_RGB32);
        image.setDotsPerMeterX(qRound(kDpi / 0.0254));
        image.setDotsPerMeterY(qRound(kDpi / 0.0254));
        image.fill(Qt::white);
        const QSizeF printable(image.width() - kDpi, image.height() - kDpi);
        PrintLayout layout(text, image, printable);
        if (pages) *pages = layout.PageCount();
        QPainter painter(&image);
        painter.translate(kDpi / 2, kDpi / 2);
        layout.PaintPage(painter, page);
        return image;
    }
    static bool Ink(QRgb p) { return std::min({qRed(p), qGreen(p), qBlue(p)}) < 160; }
    // The rows that hold ink, grouped into bands (printed lines): [first, last] of each.
    static std::vector<std::pair<int, int>> InkBands(const QImage& image) {
        std::vector<std::pair<int, int>> bands;
        for (int y = 0; y < image.height(); ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            bool ink = false;
            for (int x = 0; x < image.width() && !ink; ++x) ink = Ink(row[x]);
            if (!ink) continue;
            if (!bands.empty() && bands.back().second == y - 1) bands.back().second = y;
            else bands.push_back({y, y});
        }
        return bands;
    }
    static int FirstInkColumn(const QImage& image) {
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (Ink(image.pixel(x, y))) return x;
        return -1;
    }
    // Pixels of exactly this colour within rows [top, bottom].
    static int CountColour(const QImage& image, const QColor& colour, int top, int bottom) {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour.rgb();
        return n;
    }
    static double Points(int pixels) { return pixels * 72.0 / kDpi; }
};
}  // namespace

TEST_F(Printing, TenPointTextInsideHalfInchMarginsAndNothingElse) {
    CScriptDoc* d = Open("m/p.sqs", "HHHH\r\nHHHH\r\n");
    const QImage page = Page(*d->GetView());
    const auto bands = InkBands(page);
    ASSERT_EQ(bands.size(), 2u);  // two lines, no page number or header
    // The capital H of a 10 pt font stands about 7 pt high; the lines follow about 11 to 12 pt apart.
    const double capHeight = Points(bands[0].second - bands[0].first + 1);
    EXPECT_GT(capHeight, 5.5);
    EXPECT_LT(capHeight, 8.5);
    const double pitch = Points(bands[1].first - bands[0].first);
    EXPECT_GT(pitch, 10.0);
    EXPECT_LT(pitch, 14.0);
    // Half an inch (36 pt) to the left; the glyph's own side bearing adds a point or so.
    EXPECT_GE(Points(FirstInkColumn(page)), 36.0);
    EXPECT_LT(Points(FirstInkColumn(page)), 38.5);
    EXPECT_GE(Points(bands[0].first), 36.0);
    EXPECT_LT(Points(bands[0].first), 40.0);
}

TEST_F(Printing, PagesCarryTheViewsColours) {
    CScriptDoc* d = Open("m/c.sqs", "; remark\r\nhint\r\nxxxx\r\n");
    const QImage page = Page(*d->GetView());
    const auto bands = InkBands(page);
    ASSERT_EQ(bands.size(), 3u);
    const QColor remark = Colour(Main()->m_remarkColour), command = Colour(Main()->m_commandColour);
    EXPECT_EQ(remark, QColor(0, 128, 0));  // green
    EXPECT_GT(CountColour(page, remark, bands[0].first, bands[0].second), 50);
    EXPECT_EQ(CountColour(page, command, bands[0].first, bands[0].second), 0);
    EXPECT_GT(CountColour(page, command, bands[1].first, bands[1].second), 50);
    EXPECT_EQ(CountColour(page, remark, bands[2].first, bands[2].second), 0);
    EXPECT_GT(CountColour(page, Colour(Main()->m_textColour), bands[2].first, bands[2].second), 50);
}

TEST_F(Printing, SelectionPrintsOnlyTheSelectedLines) {
    CScriptDoc* d = Open("m/s.txt", "AAAA\r\nBBBB\r\nCCCC\r\nDDDD\r\n");
    CEditView* v = d->GetView();
    EXPECT_EQ(InkBands(Page(*v)).size(), 4u);
    QTextCursor c(v->document()->findBlockByNumber(1));
    c.setPosition(v->document()->findBlockByNumber(3).position(), QTextCursor::KeepAnchor);
    v->setTextCursor(c);
    const QImage selected = Page(*v, 0, true);
    const auto bands = InkBands(selected);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_LT(Points(bands[0].first), 40.0);  // printed from the top of the page
}

TEST_F(Printing, LongTextBreaksIntoPagesAndThePageRangeIsHonoured) {
    QByteArray text;
    for (int i = 0; i < 150; ++i) text += "hint \"line " + QByteArray::number(i) + "\"\r\n";
    CScriptDoc* d = Open("m/long.sqs", text);
    int pages = 0;
    const QImage second = Page(*d->GetView(), 1, false, &pages);
    EXPECT_EQ(pages, 3);
    const auto bands = InkBands(second);
    ASSERT_GT(bands.size(), 40u);
    EXPECT_LT(Points(bands.back().second), 11 * 72 - 36);  // nothing printed into the bottom margin

    // Every line is drawn on its own page only, not hidden in the margin of the page before.
    QList<int> drawn;
    for (int page = 0; page < pages; ++page) {
        TextRecorder device;
        const PrintLayout layout(*d->GetView(), device, QSizeF(7.5 * kDpi, 10 * kDpi), false);
        QPainter painter(&device);
        layout.PaintPage(painter, page);
        painter.end();
        QList<int> onPage;
        for (const auto& m : QRegularExpression("line (\\d+)").globalMatch(device.text)) onPage << m.captured(1).toInt();
        EXPECT_GT(onPage.size(), 20) << page;
        drawn += onPage;
    }
    QList<int> once;
    for (int i = 0; i < 150; ++i) once << i;
    EXPECT_EQ(drawn, once);

    auto pdfPages = [](const QByteArray& pdf) { return pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"); };
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Path("all.pdf"));
    PrintView(*d->GetView(), printer);
    EXPECT_EQ(pdfPages(ReadFile(Path("all.pdf"))), 3);
    EXPECT_NEAR(printer.pageLayout().margins(QPageLayout::Inch).left(), 0.5, 0.01);
    printer.setOutputFileName(Path("range.pdf"));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    PrintView(*d->GetView(), printer);
    EXPECT_EQ(pdfPages(ReadFile(Path("range.pdf"))), 2);
}

TEST_F(Printing, ATabIndentsLikeEightSpacesAtThePrintersResolution) {
    CScriptDoc* d = Open("m/t.ext", "class W\r\n{\r\n\tCount = 3;\r\n        Count = 3;\r\n};\r\n");
    const QImage page = Page(*d->GetView());
    const auto bands = InkBands(page);
    ASSERT_EQ(bands.size(), 5u);  // the tab neither breaks its line nor adds one
    auto firstInk = [&](const std::pair<int, int>& band) {
        for (int x = 0; x < page.width(); ++x)
            for (int y = band.first; y <= band.second; ++y)
                if (Ink(page.pixel(x, y))) return x;
        return -1;
    };
    EXPECT_NEAR(firstInk(bands[2]), firstInk(bands[3]), 2);
    EXPECT_GT(firstInk(bands[2]), firstInk(bands[0]) + 20);
}

TEST_F(Printing, AVeryLargeFilePrintsAsTheEditorPrintsTheSameText) {
    QByteArray text;
    for (int i = 0; i < 90; ++i)
        text += i % 3 ? "_unit addWeapon \"Karveth\"; hint \"caf\xE9 " + QByteArray::number(i) + "\"\r\n"
                      : "; remark " + QByteArray::number(i) + "\r\n";
    CScriptDoc* editor = Open("m/a.sqs", text);
    ScopedValue<std::uint64_t> large{CScriptDoc::s_open.largeTextBytes, 100};
    CScriptDoc* own = Open("m/b.sqs", text);
    ASSERT_TRUE(editor && own && own->IsLarge() && !editor->IsLarge());
    int pages = 0, ownPages = 0;
    Page(*editor->GetView(), 0, false, &pages);
    ASSERT_GT(pages, 1);
    for (int page = 0; page < pages; ++page)
        EXPECT_EQ(PageOf(TextToPrint(*own->GetLargeView(), false), page, &ownPages), Page(*editor->GetView(), page)) << page;
    EXPECT_EQ(ownPages, pages);

    // The selected characters only: from inside line 3 to inside line 5.
    QTextCursor c(editor->GetView()->document()->findBlockByNumber(3));
    c.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 6);
    c.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor, 2);
    editor->GetView()->setTextCursor(c);
    CLargeTextView* view = own->GetLargeView();
    const PieceTable& table = view->Text()->Table();
    view->SetCaret(table.LineStart(3) + 6);
    view->SetCaret(table.LineStart(5) + size_t(c.positionInBlock()), true);
    const QImage selected = PageOf(TextToPrint(*view, true));
    EXPECT_EQ(selected, Page(*editor->GetView(), 0, true));
    EXPECT_NE(selected, Page(*editor->GetView(), 0, false));
}
