#pragma once
// Fields of the custom records, read in order by counting delimiters. Names and strings have
// room for 255 characters, numbers for 9; a longer field is cut like any token.

#include "scene/scene_tokens.h"

#include <string>

// Decimal integer from a field's leading digits (with an optional sign); 0 when none.
long SceneInteger(const char* field);
// Decimal floating-point number from the start of a field, independent of the C locale;
// 0 when none. Values beyond the float range become infinities.
float SceneFloat(const char* field);
// A string field less its first and last character (the quote marks); a field of fewer than
// two characters gives an empty string.
std::string SceneString(const char* field);

class TSceneFieldReader {
public:
    explicit TSceneFieldReader(TSceneCursor* cursor) : FCursor(cursor) {}

    // A record's name: everything up to its opening '{'.
    std::string Name();
    // A quoted string field up to ';', quotes removed.
    std::string String();
    // A number field up to ';'.
    long Integer();
    float Float();
    // Three number fields and the empty field that closes a vector or colour.
    void Vector(float* x, float* y, float* z);
    // Reads up to the record's closing '}'; false when the text ends before it.
    bool Close();

private:
    static constexpr std::size_t kNameRoom = 256;
    static constexpr std::size_t kNumberRoom = 10;

    TSceneCursor* FCursor;
};
