#include "error_explanation.h"

#include "text_conversion.h"

namespace ui {

namespace {

const QString subsonicRange = QStringLiteral("doğrusallaştırılmış sesaltı akım kuramı -1 < Moo < 1 "
                                             "ister, örneğin Moo = 0.5");

/// The number a box holds, as the program reads it, for naming it back.
QString numberIn(const QString& text)
{
    const auto value = flow::numberIn(text.toUtf8().toStdString());
    return value ? QString::fromStdString(flow::numberToText(*value)) : text.trimmed();
}

QString tooLongNumber(const StoppedRecalculation& where)
{
    // The handlers read H/L before Moo, and a bar's own number always fits.
    const bool hblTooLong = !flow::numberIn(where.hblText.toUtf8().toStdString());
    return QStringLiteral("%1 kutusundaki sayı çok büyük: bir sayı en çok yaklaşık 1.8E+308 "
                          "olabilir; Moo için -1 ile 1 arası, H/L için örneğin 0.01 ile 0.2 "
                          "arası uygundur.")
        .arg(hblTooLong ? QStringLiteral("H/L") : QStringLiteral("Moo"));
}

QString coordinateTooLarge(const StoppedRecalculation& where)
{
    const QString inputs = inputsNamed(numberIn(where.mooText), numberIn(where.hblText));
    if (where.plot == Plot::Pressure)
        return QStringLiteral("%1 ile basınç katsayısı çizilemeyecek kadar büyük (en çok yaklaşık "
                              "3.4E+38): Moo'yu 1'den uzak, H/L'yi küçük tutun, örneğin Moo = 0.5, "
                              "H/L = 0.05.")
            .arg(inputs);
    return QStringLiteral("%1 ile akım çizgilerinin bir noktası çizilemeyecek kadar büyük (en çok "
                          "yaklaşık 3.4E+38): H/L'yi küçük tutun, örneğin 0.01 ile 0.2 arası.")
        .arg(inputs);
}

/// One Turkish sentence saying, in terms of the inputs, what went wrong and
/// which range works, chosen by where the error arose.
QString explainError(const flow::RunTimeError& error, const StoppedRecalculation& where)
{
    const QString Moo = numberIn(where.mooText);
    switch (error.number()) {
    case flow::ErrorNumber::InvalidArgument:
        return QStringLiteral("Moo = %1 için Beta = √(1 - Moo²) hesaplanamaz, çünkü 1 - Moo² "
                              "negatif: %2.")
            .arg(Moo, subsonicRange);
    case flow::ErrorNumber::DivisionByZero:
        return QStringLiteral("Moo = %1 ses hızıdır: Beta = 0 olur ve basınç katsayısı Beta'ya "
                              "bölünemez; %2.")
            .arg(Moo, subsonicRange);
    case flow::ErrorNumber::Overflow:
        break;
    }
    switch (error.origin()) {
    case flow::ErrorOrigin::ReadingText:
        return tooLongNumber(where);
    case flow::ErrorOrigin::Squaring:
        return QStringLiteral("Moo = %1 için Moo² hesaplanamayacak kadar büyük; %2.")
            .arg(Moo, subsonicRange);
    case flow::ErrorOrigin::CoordinateConversion:
        return coordinateTooLarge(where);
    case flow::ErrorOrigin::Arithmetic:
    case flow::ErrorOrigin::SquareRoot:
        break;
    }
    return QStringLiteral("Bir ara sonuç hesaplanamayacak kadar büyük: Moo için -1 ile 1 arası, "
                          "H/L için küçük değerler deneyin.");
}

} // namespace

QString errorReport(const flow::RunTimeError& error, const StoppedRecalculation& where)
{
    return QStringLiteral("%1\n\n%2")
        .arg(QString::fromUtf8(error.what()), explainError(error, where));
}

} // namespace ui
