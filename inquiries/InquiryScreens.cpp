#include "inquiries/InquiryScreens.h"

void registerInquiryScreens()
{
}
