#include "plot_descriptions.h"

#include "text_conversion.h"

namespace ui {

namespace {

QString inputs(double Moo, double HbL)
{
    return QStringLiteral("Moo = %1, H/L = %2")
        .arg(QString::fromStdString(flow::numberToText(Moo)),
             QString::fromStdString(flow::numberToText(HbL)));
}

QString contents(Plot plot)
{
    return plot == Plot::Streamlines
               ? QStringLiteral("iki dalga boyu üzerinde duvar (siyah) ve üç akım çizgisi: "
                                "sıkıştırılamaz akım mavi, sıkıştırılabilir akım kırmızı")
               : QStringLiteral("iki dalga boyu boyunca duvar üzerindeki basınç katsayısı: "
                                "Cp1 mavi, Cp2 kırmızı");
}

QString report(const flow::RunTimeError& error)
{
    return QString::fromUtf8(error.what());
}

QString stopped(const flow::RunTimeError& error)
{
    return QStringLiteral("Son hesaplama hatayla durdu (%1).").arg(report(error));
}

} // namespace

QString blankPlotDescription()
{
    return QStringLiteral("Henüz çizilmedi. Değerleri girip HESAPLA düğmesine basın "
                          "ya da bir kaydırma çubuğunu oynatın.");
}

QString drawnPlotDescription(Plot plot, double Moo, double HbL)
{
    return QStringLiteral("%1 için %2.").arg(inputs(Moo, HbL), contents(plot));
}

QString stoppedPlotDescription(Plot plot, double Moo, double HbL, const flow::RunTimeError& error)
{
    const QString part = plot == Plot::Streamlines ? QStringLiteral("Çizim yarım kaldı.")
                                                   : QStringLiteral("Yalnızca eksenler ve "
                                                                    "ızgara çizildi.");
    return QStringLiteral("%1 için çizilirken hesaplama hatayla durdu (%2). %3")
        .arg(inputs(Moo, HbL), report(error), part);
}

QString unchangedPlotDescription(const QString& shown, const flow::RunTimeError& error)
{
    return QStringLiteral("%1 Çizim değişmedi. %2").arg(stopped(error), shown);
}

} // namespace ui
