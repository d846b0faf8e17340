#include "fadetext/default_text.h"

namespace caici {

const std::vector<std::string>& defaultFadeTextLines() {
    static const std::vector<std::string> lines = {
        "<Title1><Center>猜词大挑战",
        "<Title2><Center>一个比划，一个猜",
        "<Text1><Center>欢迎来到猜词的舞台",
        "<Text1><Center>本机登记用户：<Owner>",
        "<Text1><Center>所属单位：<Organization>",
        "<Title3><Center>游戏怎么玩",
        "<Text1><Center>两人一队，面对面站好",
        "<Text1><Center>甲方看着大屏幕",
        "<Text1><Center>乙方背对屏幕，只管猜",
        "<Text1><Center>屏幕上出现一个词",
        "<Text1><Center>甲方用话语或动作提示",
        "<Text1><Center>但不能说出词里的字",
        "<Text1><Center>乙方猜中，按下“正确”",
        "<Text1><Center>词的分值加进总分",
        "<Text1><Center>实在猜不出，按下“跳过”",
        "<Text1><Center>前两次跳过不扣时间",
        "<Text1><Center>再往后，每次多扣一秒",
        "<Title3><Center>倒计时",
        "<Text1><Center>每一局默认九十秒",
        "<Text1><Center>时间可以在规则里调整",
        "<Text1><Center>时间到了，显示总分",
        "<Text1><Center>分数高的队伍获胜",
        "<Text1><Center>分数相同，跳过少的胜出",
        "<Title3><Center>小窍门",
        "<Text1><Center>先说大类，再说细节",
        "<Text1><Center>动作要大，表情要夸张",
        "<Text1><Center>猜不出时别犹豫",
        "<Text1><Center>果断跳过，节省时间",
        "<Text1><Center>队友之间多些默契",
        "<Text1><Center>观众请保持安静",
        "<Title3><Center>词库",
        "<Text1><Center>词语来自 words.xls",
        "<Text1><Center>每行一个词和它的分值",
        "<Text1><Center>难词分高，易词分低",
        "<Text1><Center>词用完了会有提示",
        "<Title3><Center>画面",
        "<Text1><Center>文字平滑，带阴影和渐变",
        "<Text1><Center>词语之间柔和地淡入淡出",
        "<Text1><Center>颜色和字号都能调整",
        "<Text1><Center>投影仪上也清楚醒目",
        "",
        "<Title2><Center>准备好了吗？",
        "<Text1><Center>点击“开始游戏”",
        "<Text1><Center>祝大家玩得开心！",
        "",
        "<Title1><Center>猜词大挑战",
        "<Text1><Center><Owner>",
        "<Text1><Center><Organization>",
    };
    return lines;
}

const std::string& defaultFadeText() {
    static const std::string text = [] {
        std::string joined;
        const auto& lines = defaultFadeTextLines();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                joined += "\r\n";
            }
            joined += lines[i];
        }
        return joined;
    }();
    return text;
}

}  // namespace caici
