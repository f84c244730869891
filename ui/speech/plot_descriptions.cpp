#include "plot_descriptions.h"

#include "text_conversion.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

/// A number as a listener wants it: four significant digits, no exponent
/// between 0.0001 and a million ("-1.451", "0.0346", "3"), the program's own
/// "E" form beyond ("6.503E-06").
QString forListening(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    const double magnitude = std::fabs(value);
    QString text;
    if (magnitude >= 1e-4 && magnitude < 1e6) {
        // Four significant digits, written out without an exponent.
        const int decimals = std::max(0, 3 - int(std::floor(std::log10(magnitude))));
        text = QString::number(value, 'f', decimals);
        if (text.contains(QLatin1Char('.'))) {
            while (text.endsWith(QLatin1Char('0')))
                text.chop(1);
            if (text.endsWith(QLatin1Char('.')))
                text.chop(1);
        }
    } else {
        text = QString::number(value, 'G', 4);
    }
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString numbers(const std::array<double, flow::plottedStreamlines>& values)
{
    QStringList spoken;
    for (const double v : values)
        spoken << forListening(v);
    return spoken.join(QStringLiteral(", "));
}

QString amplitudes(const flow::PlotSummary& s)
{
    return QStringLiteral("çizimde 8 kat büyütülmüş genlik, %1 yüksekliklerinde: "
                          "sıkıştırılamaz akımda %2; sıkıştırılabilir akımda %3")
        .arg(numbers(s.heights), numbers(s.incompressibleAmplitude),
             numbers(s.compressibleAmplitude));
}

QString pressureRange(const flow::PlotSummary& s)
{
    return QStringLiteral("Cp1 %1 ile %2, Cp2 %3 ile %4 arasında")
        .arg(forListening(s.Cp1Min), forListening(s.Cp1Max), forListening(s.Cp2Min),
             forListening(s.Cp2Max));
}

QString inputs(double Moo, double HbL)
{
    return inputsNamed(QString::fromStdString(flow::numberToText(Moo)),
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

QString errorText(const flow::RunTimeError& error)
{
    return QString::fromUtf8(error.what());
}

QString stopped(const flow::RunTimeError& error)
{
    return QStringLiteral("Son hesaplama hatayla durdu (%1).").arg(errorText(error));
}

} // namespace

QString inputsNamed(const QString& Moo, const QString& HbL)
{
    return QStringLiteral("Moo = %1, H/L = %2").arg(Moo, HbL);
}

QString blankPlotDescription()
{
    return QStringLiteral("Henüz çizilmedi. Değerleri girip HESAPLA düğmesine basın "
                          "ya da bir kaydırma çubuğunu oynatın.");
}

QString drawnPlotDescription(Plot plot, double Moo, double HbL, const flow::PlotSummary& summary)
{
    return QStringLiteral("%1 için %2; %3.")
        .arg(inputs(Moo, HbL), contents(plot),
             plot == Plot::Streamlines ? amplitudes(summary) : pressureRange(summary));
}

QString recalculationSentence(double Moo, double HbL, const flow::PlotSummary& summary)
{
    // Short for listening: the descriptions say what the numbers are in full.
    return QStringLiteral("Hesaplandı, %1: %2; genlik %3 yükseklikte sıkıştırılamaz %4, "
                          "sıkıştırılabilir %5.")
        .arg(inputs(Moo, HbL), pressureRange(summary), numbers(summary.heights),
             numbers(summary.incompressibleAmplitude), numbers(summary.compressibleAmplitude));
}

QString stoppedPlotDescription(Plot plot, double Moo, double HbL, const flow::RunTimeError& error)
{
    const QString part = plot == Plot::Streamlines ? QStringLiteral("Çizim yarım kaldı.")
                                                   : QStringLiteral("Yalnızca eksenler ve "
                                                                    "ızgara çizildi.");
    return QStringLiteral("%1 için çizilirken hesaplama hatayla durdu (%2). %3")
        .arg(inputs(Moo, HbL), errorText(error), part);
}

QString unchangedPlotDescription(const QString& shown, const flow::RunTimeError& error)
{
    return QStringLiteral("%1 Çizim değişmedi. %2").arg(stopped(error), shown);
}

} // namespace ui
