// Writes the drawing file of every shape kind in many variants into a
// folder, with cases.json naming each file's inputs, for the check with a
// DXF reader of its own (dxf_reader_check.py).
#include <cstdio>
#include <string>
#include <vector>

#include "dxf_cases.h"
#include "elbows/cone_elbow.h"
#include "elbows/cyl_elbow.h"
#include "output/dxf_export.h"
#include "support/elbow_cases.h"

namespace velm {
namespace {

class Manifest {
public:
    explicit Manifest(std::string folder) : folder_(std::move(folder)) {}

    // Writes the file of `st` and records its inputs; false when it failed.
    bool Add(const std::string& name, const WorkingState& st) {
        const DxfFileResult r = WriteDxfFile(folder_ + "/" + name + ".dxf", st);
        if (!r.Ok()) {
            std::fprintf(stderr, "%s: not written (%d, %d)\n", name.c_str(), static_cast<int>(r.Status), r.Error);
            return false;
        }
        cases_.push_back(dxf_cases::CaseEntry(name + ".dxf", st));
        return true;
    }

    bool Save() const { return dxf_cases::WriteCases(folder_, cases_); }

private:
    std::string folder_;
    std::vector<std::string> cases_;
};

// Inputs that a user may well type but that push the geometry: steep and
// opposite cuts, thick plate, nearly cylindrical and very open frusta.
std::vector<std::pair<int, InputArrays>> AwkwardInputs() {
    std::vector<std::pair<int, InputArrays>> out;
    auto with = [](auto change) {
        InputArrays in = DefaultInputArrays();
        change(in);
        return in;
    };
    out.push_back({7, with([](InputArrays& a) { a.CylinderData = {0, 3, 300, 1000, 80, 0, 0, 0}; })});
    out.push_back({8, with([](InputArrays& a) { a.CylinderData = {0, 0.5f, 5, 12, 60, 45, 0, 0}; })});
    out.push_back({9, with([](InputArrays& a) { a.CylinderData = {0, 1.5f, 120, 300, 35, 20, 0, 0}; })});
    out.push_back({1, with([](InputArrays& a) { a.ConeData = {0, 0.3f, 29.5f, 30, 200, 0, 0, 0, 0}; })});
    out.push_back({1, with([](InputArrays& a) { a.ConeData = {0, 3, 20, 120, 100, 0, 0, 0, 0}; })});
    out.push_back({2, with([](InputArrays& a) { a.ConeData = {0, 1, 100, 200, 150, 40, 0, 0, 0}; })});
    out.push_back({3, with([](InputArrays& a) { a.ConeData = {0, 1, 100, 200, 150, 0, 30, 0, 0}; })});
    out.push_back({4, with([](InputArrays& a) { a.ConeData = {0, 2, 150, 250, 300, 25, 25, 0, 0}; })});
    out.push_back({5, with([](InputArrays& a) { a.ConeData = {0, 2, 150, 250, 300, 25, 15, 0, 0}; })});
    // Uncut ends of 127 to 173 m (the largest the limits let through), where
    // an arc's angle decides whether it meets the seams.
    out.push_back({1, with([](InputArrays& a) { a.ConeData = {0, 3, 298.25f, 300, 1000, 0, 0, 0, 0}; })});
    out.push_back({2, with([](InputArrays& a) { a.ConeData = {0, 1, 287.5f, 250, 600, 30, 0, 0, 0}; })});
    out.push_back({3, with([](InputArrays& a) { a.ConeData = {0, 1, 249, 266.3f, 600, 0, 20, 0, 0}; })});
    return out;
}

bool WriteAll(Manifest& m) {
    bool ok = true;
    for (int code = 1; code <= 9; ++code) {
        for (std::int16_t unit : {0, 1}) {
            for (std::int16_t lato : {1, -1}) {
                const auto st = dxf_cases::Developed(code, 1, lato, unit);
                ok &= m.Add("shape" + std::to_string(code) + (unit ? "-inch" : "-mm") + (lato > 0 ? "-right" : "-left"),
                            *st);
            }
        }
    }
    int k = 0;
    for (const auto& [code, inputs] : AwkwardInputs()) {
        for (std::int16_t lato : {1, -1}) {
            const auto st = dxf_cases::Developed(code, 1, lato, 0, &inputs);
            ok &= m.Add("awkward" + std::to_string(++k) + "-shape" + std::to_string(code), *st);
        }
    }
    ok &= m.Add("fine-shape8", *dxf_cases::Developed(8, 0.1f, -1));
    ok &= m.Add("fine-shape5", *dxf_cases::Developed(5, 0.1f, 1));

    // Elbows, computed from their input arrays as the elbow windows do.
    using namespace elbow_cases;
    struct ElbowCase {
        const char* name;
        int kind;  // 0 cylindrical, 1 to 3 the conical variants
        float pieces;
        float step;
        std::int16_t unit;
        const char* cylindricalEnds;
        float D = 30, bendDeg = 90, radius = 63.662f;  // wide pieces reach far sideways
        EndConnectionArray connections = DefaultInputArrays().EndConnections;
    };
    const ElbowCase elbows[] = {
        {"elbow10-5", 0, 5, 1, 0, "N"},     {"elbow10-5-fine", 0, 5, 0.1f, 0, "N"}, {"elbow10-inch", 0, 7, 1, 1, "N"},
        {"elbow10-50", 0, 50, 1, 0, "N"},   {"elbow11-5", 1, 5, 1, 0, "N"},        {"elbow11-5-ends", 1, 5, 1, 0, "S"},
        {"elbow11-fine", 1, 5, 0.1f, 0, "S"}, {"elbow12-5", 2, 5, 1, 0, "N"},      {"elbow12-fine", 2, 5, 0.1f, 0, "S"},
        {"elbow13-5", 3, 5, 1, 0, "N"},     {"elbow13-fine", 3, 5, 0.1f, 0, "N"},  {"elbow13-50", 3, 50, 1, 0, "N"},
        {"elbow13-a60-r450", 3, 4, 1, 0, "N", 30, 60, 450}, {"elbow12-wide", 2, 3, 1, 0, "N", 200, 30, 250},
        {"elbow13-wide", 3, 5, 1, 0, "N", 30, 90, 300, {0, 0, 150, 10, 100, 160, 0, 250, 10, 100, 260}},
    };
    for (const ElbowCase& c : elbows) {
        // The large files take one weld side only: the reader needs seconds for each.
        const bool large = c.step < 1 || c.pieces > 20;
        for (std::int16_t lato : {1, -1}) {
            if (large && lato < 0) continue;
            auto st = dxf_cases::Developed(ShapeNone, c.step, lato, c.unit);
            const int code = ShapeCuCilindri + c.kind;
            int message = 0;
            if (c.kind == 0) {
                const float radius = c.pieces > 20 ? 300.0f : 100.0f;  // room for fifty pieces
                st->Inputs.CylElbowData = CylData(0.3f, 25, 10, 10, 90, radius, c.pieces);
                message = ComputeCylElbow(st->Inputs.CylElbowData, st->ThicknessFactor, st->Elbow);
            } else {
                st->Inputs.ConeElbowData = ConeData(0.3f, 20, 10, c.D, 10, c.bendDeg, c.radius, c.pieces);
                st->Inputs.CylindricalEnds = c.cylindricalEnds;
                st->Inputs.EndConnections = c.connections;
                message = ComputeConeElbow(static_cast<ConeElbowLayout>(c.kind), st->Inputs.ConeElbowData,
                                           st->Inputs.EndConnections, std::string(c.cylindricalEnds) == "S",
                                           DevelopmentSettingsOf(*st), st->Elbow)
                              .Message;
            }
            if (message != 0) {
                std::fprintf(stderr, "%s: elbow refused (%d)\n", c.name, message);
                ok = false;
                continue;
            }
            st->ShapeCode = static_cast<std::int16_t>(code);
            st->DevelopmentValid = True16;
            ok &= m.Add(std::string(c.name) + (lato > 0 ? "-right" : "-left"), *st);
        }
    }
    return ok;
}

}  // namespace
}  // namespace velm

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s folder\n", argv[0]);
        return 2;
    }
    velm::Manifest m(argv[1]);
    const bool ok = velm::WriteAll(m) && m.Save();
    return ok ? 0 : 1;
}
