#include "TypeCatalogue.h"

#include "SectionTypes.h"

namespace vorda::ui {

const std::array<CatalogueEntry, 8> kCatalogue = {{
    {"Series L, Shunt C", kSeriesL, kShuntC, "VordaTypeA.gif", Diagram::kUpperRedBlue,
     "Upper Red Area and the Blue Circle.",
     "Transforms mid to high range loads from the upper half of the Smith Chart and from the "
     "right hand circular area but excluding the left hand circular area."},
    {"Shunt C, Series L", kShuntC, kSeriesL, "VordaTypeB.gif", Diagram::kLowerRedGreen,
     "Lower  Red Area and the Green Circle",
     "Transforms low to mid-range loads from the lower half of the Smith Chart and from the left "
     "hand circular area but excluding the right hand circular area."},
    {"Series C, Shunt L", kSeriesC, kShuntL, "VordaTypeC.gif", Diagram::kLowerRedBlue,
     "Lower Red Area and the Blue Circle",
     "Transforms mid to high range loads from the lower half of the Smith Chart and the right "
     "hand circular area but excluding the left hand circular area."},
    {"Shunt L, Series C", kShuntL, kSeriesC, "VordaTypeD.gif", Diagram::kUpperRedGreen,
     "Upper Red Area and the Green Circle",
     "Transforms low to mid-range loads from the upper half of the Smith Chart and from the left "
     "hand circular area but excluding the right hand circular area."},
    {"Series C, Shunt C", kSeriesC, kShuntC, "VordaTypeE.gif", Diagram::kUpperRed, "Upper Red Area",
     "Transforms mid-range inductive loads from the upper half of the Smith Chart, excluding the "
     "small circles."},
    {"Shunt C, Series C", kShuntC, kSeriesC, "VordaTypeF.gif", Diagram::kUpperRed, "Upper Red Area",
     "Transforms mid-range inductive loads lying in the upper half of the Smith Chart, excluding "
     "the small circles."},
    {"Series L, Shunt L", kSeriesL, kShuntL, "VordaTypeG.gif", Diagram::kLowerRed, "Lower Red Area",
     "Transforms mid-range capacitive loads from the lower half of the Smith Chart, excluding the "
     "small circles."},
    {"Shunt L, Series L", kShuntL, kSeriesL, "VordaTypeH.gif", Diagram::kLowerRed, "Lower Red Area",
     "Transforms mid-range capacitive loads from the lower half of the Smith Chart, excluding the "
     "small circles."},
}};

}  // namespace vorda::ui
