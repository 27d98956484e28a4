#include "scene/scene_fields.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <locale.h>

namespace {

// The "C" locale for number conversion: the application may have set another one, in which
// the decimal point is not '.'.
locale_t ClassicNumericLocale()
{
    static const locale_t locale = newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

long SceneInteger(const char* field)
{
    const char* first = field;
    const char* last = field + std::strlen(field);
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-'))
        negative = *first++ == '-';
    long value = 0;
    for (; first != last && *first >= '0' && *first <= '9'; ++first) {
        if (value > (std::numeric_limits<long>::max() - 9) / 10)
            break;  // cannot happen with 9-character fields; keeps longer ones defined
        value = value * 10 + (*first - '0');
    }
    return negative ? -value : value;
}

float SceneFloat(const char* field)
{
    const locale_t locale = ClassicNumericLocale();
    const double value = locale ? strtod_l(field, nullptr, locale) : std::strtod(field, nullptr);
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    if (value > std::numeric_limits<float>::max())
        return std::numeric_limits<float>::infinity();
    if (value < -std::numeric_limits<float>::max())
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

std::string SceneString(const char* field)
{
    const std::size_t length = std::strlen(field);
    if (length < 2)
        return {};
    return std::string(field + 1, length - 2);
}

std::string TSceneFieldReader::Name()
{
    char field[kNameRoom] = "";
    NextToken(FCursor, field, sizeof field, '{');
    return field;
}

std::string TSceneFieldReader::String()
{
    char field[kNameRoom] = "";
    NextToken(FCursor, field, sizeof field, ';');
    return SceneString(field);
}

long TSceneFieldReader::Integer()
{
    char field[kNumberRoom] = "";
    NextToken(FCursor, field, sizeof field, ';');
    return SceneInteger(field);
}

float TSceneFieldReader::Float()
{
    char field[kNumberRoom] = "";
    NextToken(FCursor, field, sizeof field, ';');
    return SceneFloat(field);
}

void TSceneFieldReader::Vector(float* x, float* y, float* z)
{
    *x = Float();
    *y = Float();
    *z = Float();
    char closing[kNumberRoom] = "";
    NextToken(FCursor, closing, sizeof closing, ';');
}

bool TSceneFieldReader::Close()
{
    return ScanToken(FCursor, nullptr, 0, '}') == TTokenStop::Delimiter;
}
