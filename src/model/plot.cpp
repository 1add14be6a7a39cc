#include "model/plot.h"

#include "model/number.h"

namespace tessel {

namespace {

std::optional<Refusal> checkPlotSize(const std::string &text, const char *which, Field field)
{
    if (isPositiveNumber(text))
        return std::nullopt;
    return Refusal{std::string("Please enter the plot ") + which +
                       " as a number greater than 0, for example 60 or 42.5",
                   Icon::Information, field, false};
}

std::string scaleCaption(const char *which, double scale, std::string_view decimalPoint)
{
    return std::string("[") + which + " Scale is" + " " +
           "1 :" + formatNumber(scale, decimalPoint) + "]";
}

} // namespace

std::optional<Refusal> ValidatePlotEntry(const std::string &lengthText,
                                         const std::string &widthText)
{
    if (lengthText.empty())
        return Refusal{"Please enter your plot length", Icon::Information, Field::PlotLength};
    if (widthText.empty())
        return Refusal{"Please enter your plot width", Icon::Information, Field::PlotWidth};
    if (auto refusal = checkPlotSize(lengthText, "length", Field::PlotLength))
        return refusal;
    return checkPlotSize(widthText, "width", Field::PlotWidth);
}

Scales measureScales(const std::string &lengthText, const std::string &widthText)
{
    return {strictNumber(lengthText).value_or(0) / kRulerDivisions,
            strictNumber(widthText).value_or(0) / kRulerDivisions};
}

std::string lengthScaleCaption(const Scales &scales, std::string_view decimalPoint)
{
    return scaleCaption("Length", scales.length, decimalPoint);
}

std::string widthScaleCaption(const Scales &scales, std::string_view decimalPoint)
{
    return scaleCaption("Width", scales.width, decimalPoint);
}

double lengthToChart(double feet, const Scales &scales)
{
    return feet / scales.length * kRulerDivision;
}

double widthToChart(double feet, const Scales &scales)
{
    return feet / scales.width * kRulerDivision;
}

double chartToLength(double twips, const Scales &scales)
{
    return twips / kRulerDivision * scales.length;
}

double chartToWidth(double twips, const Scales &scales)
{
    return twips / kRulerDivision * scales.width;
}

CompassCaptions compassCaptions(Facing facing)
{
    switch (facing) {
    case Facing::South:
        return {"S", "N", "E", "W"};
    case Facing::West:
        return {"W", "E", "S", "N"};
    case Facing::East:
        return {"E", "W", "N", "S"};
    case Facing::North:
        break;
    }
    return {"N", "S", "W", "E"};
}

} // namespace tessel
