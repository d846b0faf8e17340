"""Word libraries that make rounds predictable: a check knows every word it
can be shown, how long it is and what it is worth."""

import csv
import os

# The source table of the library the game ships: category, word, points.
_BUNDLED_TABLE = os.path.join(os.path.dirname(__file__), "..", "..", "..", "tools", "words.tsv")

# Forty different four-character words, two points each: every press of
# "正确" shows a word of the same size and adds exactly two points.
FOUR_CHARACTER_WORDS = [(word, 2) for word in (
    "坐立不安 一心一意 三心二意 四面八方 五颜六色 七上八下 九牛一毛 十全十美 百发百中 千军万马 "
    "画蛇添足 守株待兔 对牛弹琴 亡羊补牢 掩耳盗铃 拔苗助长 井底之蛙 狐假虎威 杯弓蛇影 叶公好龙 "
    "胸有成竹 愚公移山 刻舟求剑 望梅止渴 闻鸡起舞 卧薪尝胆 破釜沉舟 纸上谈兵 指鹿为马 完璧归赵 "
    "鹤立鸡群 龙飞凤舞 虎头蛇尾 马到成功 鸡飞狗跳 鱼跃龙门 鸟语花香 兔死狐悲 猴年马月 牛刀小试"
).split()]
POINTS_PER_WORD = 2

# Forty more of the same kind, for a check that presses more times than one
# library of forty holds: the key's run and the phone's in one round.
EIGHTY_FOUR_CHARACTER_WORDS = FOUR_CHARACTER_WORDS + [(word, POINTS_PER_WORD) for word in (
    "一帆风顺 二龙戏珠 三阳开泰 四海为家 五湖四海 六神无主 七嘴八舌 八面玲珑 九死一生 十拿九稳 "
    "半途而废 自相矛盾 买椟还珠 南辕北辙 邯郸学步 鹬蚌相争 滥竽充数 朝三暮四 惊弓之鸟 塞翁失马 "
    "一鸣惊人 入木三分 水滴石穿 铁杵成针 风和日丽 春暖花开 秋高气爽 冰天雪地 山清水秀 花好月圆 "
    "金玉满堂 万紫千红 千变万化 万象更新 心想事成 龙马精神 大显身手 见多识广 名列前茅 百花齐放"
).split()]

# The longest words a host is likely to type in, one point each, and the
# longest word of the library the game ships.
LONG_WORDS = [("哈利·波特与魔法石", 1), ("一寸光阴一寸金", 1), ("埃菲尔铁塔", 2)]

# A short word, for the size of the glyphs on a projector.
TWO_CHARACTER_WORDS = [("成功", 1)]


def words_of(library):
    return {word for word, _ in library}


def bundled(categories, leaving_out=()):
    """(word, points) of the library the game ships, in the given categories,
    less the words of leaving_out: real words of every length and worth."""
    with open(_BUNDLED_TABLE, encoding="utf-8") as rows:
        entries = list(csv.reader(rows, delimiter="\t"))[1:]
    taken = words_of(leaving_out)
    chosen = {}
    for category, word, points in (row[:3] for row in entries if len(row) >= 3):
        if category in categories and word not in taken:
            chosen.setdefault(word, int(points))
    return list(chosen.items())
