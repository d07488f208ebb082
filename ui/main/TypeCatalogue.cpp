#include "ui/main/TypeCatalogue.h"

namespace vorda::ui {

const std::array<CatalogueEntry, kTypeCount> kCatalogue = {{
    {"VordaTypeA.gif", Diagram::kUpperRedBlue, "Upper Red Area and the Blue Circle.",
     "Transforms mid to high range loads from the upper half of the Smith Chart and from the "
     "right hand circular area but excluding the left hand circular area."},
    {"VordaTypeB.gif", Diagram::kLowerRedGreen, "Lower  Red Area and the Green Circle",
     "Transforms low to mid-range loads from the lower half of the Smith Chart and from the left "
     "hand circular area but excluding the right hand circular area."},
    {"VordaTypeC.gif", Diagram::kLowerRedBlue, "Lower Red Area and the Blue Circle",
     "Transforms mid to high range loads from the lower half of the Smith Chart and the right "
     "hand circular area but excluding the left hand circular area."},
    {"VordaTypeD.gif", Diagram::kUpperRedGreen, "Upper Red Area and the Green Circle",
     "Transforms low to mid-range loads from the upper half of the Smith Chart and from the left "
     "hand circular area but excluding the right hand circular area."},
    {"VordaTypeE.gif", Diagram::kUpperRed, "Upper Red Area",
     "Transforms mid-range inductive loads from the upper half of the Smith Chart, excluding the "
     "small circles."},
    {"VordaTypeF.gif", Diagram::kUpperRed, "Upper Red Area",
     "Transforms mid-range inductive loads lying in the upper half of the Smith Chart, excluding "
     "the small circles."},
    {"VordaTypeG.gif", Diagram::kLowerRed, "Lower Red Area",
     "Transforms mid-range capacitive loads from the lower half of the Smith Chart, excluding the "
     "small circles."},
    {"VordaTypeH.gif", Diagram::kLowerRed, "Lower Red Area",
     "Transforms mid-range capacitive loads from the lower half of the Smith Chart, excluding the "
     "small circles."},
}};

}  // namespace vorda::ui
