#pragma once
// The named font styles and labels of the start window's title display aft1,
// and its two title lines. The lines use only Title1 and Center; the other
// styles and labels are part of the control's definition all the same.

#include <string>
#include <vector>

namespace caici {

class TCnFontLabels;
class TCnUserLabels;

// Title1 (the title's own look) and the six further default styles Title2,
// Title3, Text1, Text2, Title4 and Text3, in that order.
void addTitleStyles(TCnFontLabels& fonts);

// The eight standard labels Left, Center, Right, Owner, Organization,
// AppTitle, Date and Time.
void addStandardLabels(TCnUserLabels& labels);

// The product's name and its subtitle, taking turns.
std::vector<std::string> titleLines();

}  // namespace caici
