#include "windowfixture.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QToolTip>
#include <QTreeWidget>

namespace {

// Keeps the texts drawn on it, as the style cut them for their cells, and nothing else.
class TextRecorder : public QPaintEngine
{
public:
    TextRecorder() : QPaintEngine(QPaintEngine::AllFeatures) {}
    bool begin(QPaintDevice * /*device*/) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState & /*state*/) override {}
    void drawPixmap(const QRectF & /*r*/, const QPixmap & /*pm*/, const QRectF & /*sr*/) override {}
    void drawPath(const QPainterPath & /*path*/) override {}
    void drawPolygon(const QPointF * /*points*/, int /*pointCount*/,
                     PolygonDrawMode /*mode*/) override
    {
    }
    void drawTextItem(const QPointF & /*p*/, const QTextItem &textItem) override
    {
        drawn += textItem.text();
    }
    Type type() const override { return QPaintEngine::User; }

    QString drawn;
};

// A widget rendered on it leaves what it shows as text in drawn().
class TextCanvas : public QPaintDevice
{
public:
    explicit TextCanvas(const QWidget *like) : m_like(like) {}
    QPaintEngine *paintEngine() const override { return &m_recorder; }
    QString drawn() const { return m_recorder.drawn; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_like->width();
        case PdmHeight:
            return m_like->height();
        case PdmWidthMM:
            return m_like->widthMM();
        case PdmHeightMM:
            return m_like->heightMM();
        case PdmNumColors:
            return m_like->colorCount();
        case PdmDepth:
            return m_like->depth();
        case PdmDpiX:
            return m_like->logicalDpiX();
        case PdmDpiY:
            return m_like->logicalDpiY();
        case PdmPhysicalDpiX:
            return m_like->physicalDpiX();
        case PdmPhysicalDpiY:
            return m_like->physicalDpiY();
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    const QWidget *m_like;
    mutable TextRecorder m_recorder;
};

} // namespace

TEST_F(WindowTest, ADeepPathIsCutInTheMiddleAndKeepsItsFileNameInView)
{
    auto *list = find<QTreeWidget>("files");
    const QString folder = QStringLiteral("/home/korpora/Korpus_der_deutschen_Zeitungen/"
                                          "Jahrgang_1990/Ausgabe_Mai/Beilage_Wirtschaft/"
                                          "Seiten_mit_Anzeigen_und_Leserbriefen/");
    const QString path = folder + QStringLiteral("ausgabe_17.txt");
    list->addTopLevelItem(
        new QTreeWidgetItem(QStringList{path, QStringLiteral("2"), QStringLiteral("1"),
                                        QStringLiteral("-1"), QStringLiteral("-1")}));

    TextCanvas canvas(list->viewport());
    list->viewport()->render(&canvas);
    const QString drawn = canvas.drawn();
    EXPECT_FALSE(drawn.contains(path)) << "the path fits; the test needs a longer one";
    // The start of the path, the mark of the cut, then the file name whole.
    const qsizetype cut = drawn.indexOf(QChar(0x2026));
    EXPECT_TRUE(drawn.startsWith(QStringLiteral("/home/korpora/"))) << drawn.toStdString();
    ASSERT_GT(cut, 0) << drawn.toStdString();
    EXPECT_TRUE(drawn.mid(cut).contains(QStringLiteral("/ausgabe_17.txt"))) << drawn.toStdString();

    const QRect cell = list->visualRect(list->model()->index(0, 0));
    QHelpEvent event(QEvent::ToolTip, cell.center(), list->viewport()->mapToGlobal(cell.center()));
    QCoreApplication::sendEvent(list->viewport(), &event);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), path);
}
