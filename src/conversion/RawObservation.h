#pragma once
// Where the observation records of a raw data file keep their values: SS, F1 and F2
// have the point name followed by target height, slope distance and the two angles;
// CP and SO have one field more after the name.
#include <string_view>

namespace tavrelo {

struct RawObservationFields {
    const char* recordCode;
    int name;
    int targetHeight;
    int slopeDistance;
    int horizontalAngle;
    int verticalAngle;
    int pointCode; // 0: the record carries no code
};

// The field numbers of an observation record ("SS", "CP", "SO", "F1", "F2"); nullptr
// for any other record code.
inline const RawObservationFields* FindRawObservation(std::string_view recordCode)
{
    static const RawObservationFields kObservations[] = {
        {"SS", 2, 3, 4, 5, 6, 8}, {"CP", 2, 4, 5, 6, 7, 9}, {"SO", 2, 4, 5, 6, 7, 9},
        {"F1", 2, 3, 4, 5, 6, 0}, {"F2", 2, 3, 4, 5, 6, 0},
    };
    for (const RawObservationFields& row : kObservations)
        if (recordCode == row.recordCode)
            return &row;
    return nullptr;
}

} // namespace tavrelo
