// The income and expense descriptors.
#include "entries/entry_twins.h"

namespace entries {

namespace {
QString q(const char* s) {
    return QString::fromUtf8(s);
}
} // namespace

const EntryTwin& incomeTwin() {
    static const EntryTwin t{
        Kind::Income,
        q("Tsrfrm"),
        q("srfrm"),
        q("收入管理"),
        q("记账"),
        q("修改"),
        q("删除"),
        q("查询时，请先勾选对应查询条件前的复选框开关，可以通过选择不同的组合来进行多条件查询及统计！"),
        q("合  计："),
        QColor(0xd0, 0x00, 0x00),
        213,
        q("共计#条收入记录"),
        q("请先添加收入项目"),
        q("还没有收入类别，请先去\"收入类别\"添加!"),
        true,
        true,
        q("Taddsrfrm"),
        q("addsrfrm"),
        q("收入登记"),
        q("Tupdatesrfrm"),
        q("updatesrfrm"),
        q("修改收入记账"),
        q("说明：\"收入金额\"默认小数点为两位，多余部分将被自动四舍五入。"),
        q("选择收入项目："),
        q("选择收入名称："),
        q("收入金额："),
        q("请选择收入名称!"),
        q("请选择收入名称!"),
        q("\"收入金额\"不能为空且必须为正的数字！"),
        false,
        true,
        q("收入记账成功"),
        q("收入记账添加成功，是否继续添加收入记账？"),
        q("原账户该笔收入款已经被使用，结算账户余额不足！"),
        q("该笔收入已经被使用，结算账户余额不足!"),
        ui::Icon::None,
        false,
        true,
        q("\n收入记录更新成功！\n"),
        true,
        q("lbl8"),
        q("dbedt6"),
    };
    return t;
}

const EntryTwin& expenseTwin() {
    static const EntryTwin t{
        Kind::Expense,
        q("Tzcfrm"),
        q("zcfrm"),
        q("支出管理"),
        q("记 账"),
        q("修 改"),
        q("删 除"),
        q("查询时，请先勾选对应查询条件前的复选框开关，可以通过选择不同的组合来进行多条件查询！"),
        q("合   计："),
        QColor(0x00, 0x80, 0x00),
        212,
        q("共计#条支出记录"),
        q("请先添加支出项目"),
        q("还没有支出类别，请先去\"支出类别\"添加！"),
        false,
        false,
        q("Taddzcfrm"),
        q("addzcfrm"),
        q("支出登记"),
        q("Tupdatezcfrm"),
        q("updatezcfrm"),
        q("修改支出记账"),
        q("说明：\"支出金额\"默认小数点为两位，多余部分将被自动四舍五入。"),
        q("选择支出项目："),
        q("选择支出名称："),
        q("支出金额："),
        q("请选择支出名称"),
        q("请选择支出名称!"),
        q("\"支出金额\"不能为空且必须为正的数字！"),
        true,
        false,
        q("支出记账成功"),
        q("支出记账添加成功，是否继续添加支出记账？"),
        q("该结算账户余额不足！"),
        q("该结算账户余额不足！"),
        ui::Icon::Warning,
        true,
        false,
        q("\n支出记录更新成功！\n"),
        false,
        q("lbl9"),
        q("edt2"),
    };
    return t;
}

} // namespace entries
