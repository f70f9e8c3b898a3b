// The amount check.
#include "ui/amount_check.h"

#include "ui/dialogs.h"

namespace ui {

QString amountLimitMessage() {
    return QStringLiteral("       羡慕！嫉妒！恨！~~~我帮不了你!!!\n\n"
                          "                (转身追问下)\n\n"
                          "            你是不是昨晚抢银行啦~");
}

std::optional<store::Money> amountCheck(const QString& text) {
    const store::AmountParse p = store::parseAmount(text);
    switch (p.status) {
    case store::AmountStatus::Ok:
        return p.value;
    case store::AmountStatus::OverLimit:
        // The limit message is for numbers above the limit. One far below zero is refused by
        // the caller like every negative amount: it gets nothing, which every caller refuses
        // with the same message as an amount that is not above zero.
        if (!p.negative) dialogs().message(appTitle(), amountLimitMessage(), Icon::None);
        break;
    case store::AmountStatus::NotNumber:
        break;
    }
    return std::nullopt;
}

} // namespace ui
