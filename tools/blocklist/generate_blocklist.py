#!/usr/bin/env python3
"""Writes src/hosts/blocklist.txt, the built-in blocklist of the HOSTS window.

The list is a HOSTS file: a five-line banner, the loopback line, then 964
entries that send host names of malware sites (fake download portals, game
cheat and private-server droppers, ad and counter scripts, phishing pages) to
the sink address 0.0.0.0. The names are invented: registrable labels are made
of pinyin words and syllables, a few stock abbreviations and digits, and every
label is checked against a list of real brands and services, so that saving
the list as the HOSTS file never cuts anyone off from a real site.

The list is seeded and deterministic: running the script again writes the
same bytes. Before writing, it checks the form of every line and that no label
names a real brand, and exits with status 1 if anything is off, writing
nothing. The make-up of the list (its counts) is checked in the program by
tests/unit/blocklist_test.cpp.

The file has LF line ends and one final LF; the build joins the lines with
CR LF and drops the final break (cmake/embed_blocklist.cmake).

Python standard library only. Usage:
  generate_blocklist.py                 write src/hosts/blocklist.txt
  generate_blocklist.py --check         check the file as it is, and that it is
                                        byte for byte what the script writes
  generate_blocklist.py --output PATH   write elsewhere
"""

import argparse
import random
import re
import sys
from pathlib import Path

SEED = 20091230
SINK = "0.0.0.0"
RULE = "*" * 35
HEADER = [
    RULE,
    "Quellbrook",
    "HOSTS迷你防火墙文件库-09.12.30",
    "Morvale软件论坛.Varnock",
    RULE,
    "127.0.0.1 localhost",
]
DEFAULT_OUTPUT = Path(__file__).resolve().parents[2] / "src" / "hosts" / "blocklist.txt"

# How the names are made: (kind, labels, tld, how many).
#  pair  - a bare name with `labels` labels and the same name with "www." in front
#  www   - a "www." name of `labels` labels whose bare form is not in the list
#  other - a name of `labels` labels that does not begin with "www"
# "cn" covers both name.cn and name.com.cn / name.net.cn / name.org.cn;
# "other" is one of OTHER_TLDS.
PLAN = [
    ("pair", 2, "com", 110),
    ("pair", 2, "cn", 36),
    ("pair", 2, "net", 14),
    ("pair", 2, "other", 12),
    ("pair", 3, "cn", 12),
    ("pair", 4, "cn", 1),
    ("www", 3, "com", 120),
    ("www", 3, "cn", 46),
    ("www", 3, "net", 17),
    ("www", 3, "other", 16),
    ("www", 4, "cn", 6),
    ("other", 2, "com", 35),
    ("other", 2, "cn", 14),
    ("other", 2, "net", 8),
    ("other", 2, "other", 8),
    ("other", 3, "com", 166),
    ("other", 3, "cn", 101),
    ("other", 3, "net", 23),
    ("other", 3, "other", 26),
    ("other", 4, "com", 2),
    ("other", 4, "cn", 2),
    ("other", 4, "net", 1),
    ("other", 5, "com", 1),
    ("other", 5, "cn", 1),
    ("other", 6, "com", 1),
]
SPLIT_PAIRS = 9          # pairs whose two names do not stand together
BARE_FIRST_PAIRS = 43    # adjacent pairs with the bare name first
CAPITALISED = 9

OTHER_TLDS = ["org", "info", "biz", "ru", "cc", "in", "tk", "ws", "us", "tv", "la", "name"]
CN_SECOND_LEVEL = ["com.cn", "com.cn", "com.cn", "net.cn", "org.cn"]

# Words of the trade, in pinyin: download, cheats, free, private server, legend,
# game, crack, diamonds, hacker, trojan, software, film, lottery, prize, game
# card, top-up, auto-play, helper, patch, key generator, gold, ingots, online
# game, chess and cards, traffic, counter, advert, promotion, alliance, ...
PINYIN_WORDS = """
xiazai waigua mianfei sifu chuanqi youxi pojie shuazuan heike muma ruanjian
dianying caipiao zhongjiang dianka chongzhi guaji fuzhu miaosha shipin bofang
buding jihuo zhuceji hongzuan huangzuan zhuangbei jinbi yuanbao wangyou danji
xiaoshuo qipai liuliang tongji guanggao tuiguang lianmeng shouji jiasu
zhuanqian mima daohao zhuangji xitong chajian gonglue jiaoben shengji gengxin
tupian yinyue dianshi fuli hongbao choujiang kaijiang jiangpin saolei
shuaqian shuafen yinshen zhuizong jiankong qianghao sudu fanghu
""".split()
SYLLABLES = """
ai an ao ba bai ban bao bei ben bi bian bo bu cai can cao ce chao chen cheng
chi chong chu chuan ci cong cui da dai dan dao de deng di dian ding dong dou
du duan dui duo fa fan fang fei fen feng fu gai gan gao ge gong gou gu gua
guan guang gui guo hai han hang hao he hei heng hong hou hu hua huan huang hui
huo ji jia jian jiang jiao jie jin jing jiu ju juan jun ka kai kan kang ke
kong kou ku kuai kuan kun la lai lan lang lao le lei li lian liang lin ling
liu long lou lu luo lv ma mai man mang mao mei men meng mi mian miao min ming
mo mu na nai nan nao nei neng ni nian niu nong nuo pai pan pang pao pei peng
pi pian piao pin ping po pu qi qian qiang qiao qie qin qing qiu qu quan ran
rao re ren rong rou ru ruan rui run ruo sai san sao se sen sha shan shang
shao she shen sheng shi shou shu shua shui shun shuo si song su suan sui suo
tai tan tang tao te teng ti tian tiao tie ting tong tou tu tuan tui tuo wa
wai wan wang wei wen wo wu xi xia xian xiang xiao xie xin xing xiong xiu xu
xuan xue xun ya yan yang yao ye yi yin ying yong you yu yuan yue yun za zai
zan zao ze zeng zha zhan zhang zhao zhe zhen zheng zhi zhong zhou zhu zhuan
zhuang zi zong zou zu zuan zui zun zuo
""".split()
# Stock abbreviations: waigua, sifu, xiazai, chuanqi, download, youxi, ...
ABBREVIATIONS = "wg sf xz cq dl yx rj pj mf zq tj gg hk dy xs sp cj fz jb".split()
# English fragments are allowed in a registrable label only next to digits.
ENGLISH = "soft down game free hack cheat pic union click count host web top best".split()
SUBDOMAINS = """
down dl dl2 d1 d2 soft update up ad ads tj count cnt js img pic file files
game wg sf bbs go jump click pop union stat log u x s a b c1 s1 s2 cdn mm vod
box bar tool v m t p n1 w1 img2 js1 ad2 dx wt xz yx 3g xiazai tongji guanggao
""".split()

# Real brands, services and sites: no label may contain any of these.
DENYLIST = """
qq jd uc yy vk hp lg 51 56 58 114 139 163 126 189 263 360 1688 2345 3366 4399
7k7k 9158 12306 17173 10086 10010 3322 8866 hao123 21cn tom vip
baidu taobao tmall alibaba alipay aliyun alimama sina sohu souhu sogou soso
netease wangyi tencent tenpay qzone paipai weixin wechat weibo youku tudou
xunlei kuaibo qvod baofeng pptv pps iqiyi qiyi letv ku6 kugou kuwo xiami
renren xiaonei kaixin douban tianya dangdang jingdong qihoo jinshan kingsoft
duba jiangmin rising ruixing huorong maxthon aoyou shanda sdo wanmei juren
zhengtu changyou duowan ifeng fenghuang xinhua renmin people cctv cntv hexun
eastmoney zhaopin ganji ctrip xiecheng qunar elong dianping meituan suning
gome guomei vancl yihaodian zol pconline pchome yesky skycn tianji onlinedown
huajun duote crsky xdowns pc6 greenxf mydrivers cnbeta csdn chinaz admin5
cnzz 51la china chinanet unicom liantong yidong dianxin telecom mobile
google gmail youtube blogspot android microsoft windows msn live hotmail
outlook office bing xbox skype yahoo apple icloud itunes adobe flash
macromedia kaspersky symantec norton mcafee avast avira eset nod32 trend
bitdefender sophos comodo drweb panda avg mozilla firefox opera chrome safari
amazon ebay paypal facebook twitter instagram wikipedia wiki github
sourceforge cnet softonic verisign godaddy akamai cloudflare wordpress blogger
tumblr flickr whatsapp telegram yandex rambler mail naver oicp vicp dyndns
noip no-ip huawei xiaomi lenovo lianxiang haier samsung nokia sony intel
nvidia dell cisco oracle java steam blizzard battle tianyi icbc gongshang
jianshe nongye zhaoshang cmbchina unionpay yinlian gov edu winrar realplayer
thunder flashget emule bitcomet utorrent huya douyu douyin bilibili acfun
zhihu toutiao pinduoduo meizu vivo oppo dingding dnf mir wow cf lol
""".split()

LABEL = re.compile(r"[A-Za-z0-9](?:[A-Za-z0-9-]*[A-Za-z0-9])?")


# ------------------------------------------------------------------ labels --

def digits(rng):
    """A number as the trade writes it: lucky runs, dates, or anything."""
    roll = rng.random()
    if roll < 0.3:
        return rng.choice("6789") * rng.choice([2, 2, 3, 4])
    if roll < 0.45:
        a, b = rng.choice("0123456789"), rng.choice("0123456789")
        return a + a + b + b
    if roll < 0.55:
        return str(rng.randrange(1998, 2010))
    return str(rng.randrange(1, 10 ** rng.choice([1, 2, 2, 3, 3, 4])))


def word(rng):
    roll = rng.random()
    if roll < 0.45:
        return rng.choice(PINYIN_WORDS)
    if roll < 0.8:
        return "".join(rng.choice(SYLLABLES) for _ in range(rng.choice([2, 2, 3])))
    return rng.choice(ABBREVIATIONS)


def registrable_label(rng):
    """The label just left of the public suffix: what someone registered."""
    pattern = rng.randrange(10)
    if pattern == 0:
        return word(rng) + digits(rng)
    if pattern == 1:
        return rng.choice(ABBREVIATIONS) + digits(rng)
    if pattern == 2:
        return word(rng) + word(rng) + word(rng)
    if pattern == 3:
        return word(rng) + "-" + word(rng)
    if pattern == 4:
        return rng.choice(ABBREVIATIONS) + word(rng) + digits(rng)
    if pattern == 5:
        return digits(rng) + word(rng)
    if pattern == 6:
        return rng.choice(ENGLISH) + word(rng) + digits(rng)
    if pattern == 7:
        return word(rng) + rng.choice(ABBREVIATIONS) + digits(rng)
    if pattern == 8:
        letters = "abcdefghjkmnpqrstuvwxyz"
        return "".join(rng.choice(letters + "0123456789") for _ in range(rng.randrange(4, 7))) + rng.choice("123456789")
    return word(rng) + "-" + rng.choice(ENGLISH) + digits(rng)


def label_allowed(label):
    lower = label.lower()
    return LABEL.fullmatch(label) is not None and not any(bad in lower for bad in DENYLIST)


def registrable_allowed(label):
    """Besides the denylist: no bare number, no English word on its own, and
    nothing so short or plain that a real company may well own it."""
    if not label_allowed(label) or not 6 <= len(label) <= 40 or label.lower().startswith("www"):
        return False
    if not re.search(r"[a-z]", label):
        return False
    has_digit = re.search(r"[0-9]", label) is not None
    if any(fragment in label for fragment in ENGLISH) and (not has_digit or len(label) < 9):
        return False
    if label.isalpha() and len(label) < 8:
        return False
    return True


def pick(rng, make, allowed):
    while True:
        candidate = make(rng)
        if allowed(candidate):
            return candidate


def exact_length_label(rng, length):
    """A long hyphenated pinyin label of exactly `length` characters."""
    while True:
        text = ""
        while len(text) < length:
            text += ("-" if text else "") + rng.choice(PINYIN_WORDS) + (digits(rng) if rng.random() < 0.3 else "")
        text = text[:length]
        if text.endswith("-"):
            text = text[:-1] + rng.choice("123456789")
        if registrable_allowed(text) or (len(text) > 40 and label_allowed(text)):
            return text


# ------------------------------------------------------------------- names --

def suffix_for(rng, tld, labels, bare_shape):
    """The public suffix: "com", "cn", "com.cn", ... For cn names of three or
    more labels, `bare_shape` asks for name.com.cn rather than sub.name.cn."""
    if tld == "other":
        return rng.choice(OTHER_TLDS)
    if tld == "cn" and labels >= 3 and (bare_shape or rng.random() < 0.45):
        return rng.choice(CN_SECOND_LEVEL)
    return tld


def subdomain(rng):
    return pick(rng, lambda r: r.choice(SUBDOMAINS) if r.random() < 0.85 else r.choice(ABBREVIATIONS) + digits(r),
                label_allowed)


def make_name(rng, labels, tld, bare_shape=False, parent=None):
    """A name of `labels` labels under `tld`; `parent` reuses a registered
    domain (sld.suffix) for a further host of the same site."""
    if parent is None:
        suffix = suffix_for(rng, tld, labels, bare_shape)
        parent = pick(rng, registrable_label, registrable_allowed) + "." + suffix
    subs = [subdomain(rng) for _ in range(labels - len(parent.split(".")))]
    return ".".join(subs + [parent]), parent


class Names:
    """Every name so far, lower-cased, kept free of accidental www partners."""

    def __init__(self):
        self.seen = set()

    def fits(self, name):
        lower = name.lower()
        if not 5 <= len(lower) <= 58 or lower in self.seen:
            return False
        if "www." + lower in self.seen:
            return False
        return not (lower.startswith("www.") and lower[4:] in self.seen)

    def add(self, *names):
        for name in names:
            self.seen.add(name.lower())


def registrable_index(labels):
    """Where the registered label is: before com.cn and the like, else before the TLD."""
    return -3 if ".".join(labels[-2:]) in CN_SECOND_LEVEL else -2


def capitalise(rng, name):
    labels = name.split(".")
    style = rng.randrange(3)
    if style == 0 and len(labels) > 2:
        labels[0] = labels[0].upper()
    else:
        # Camel case on the registrable label: a capital after each run of digits or hyphens.
        index = registrable_index(labels)
        text = labels[index]
        labels[index] = re.sub(r"(^|[0-9-])([a-z])", lambda m: m.group(1) + m.group(2).upper(), text)
        if style == 2:
            labels[index] = re.sub(r"(xiazai|waigua|mianfei|sifu|youxi|ruanjian)",
                                   lambda m: m.group(1).capitalize(), labels[index])
    return ".".join(labels)


def build_entries(seed=SEED):
    rng = random.Random(seed)
    names = Names()
    blocks = []          # lists of names that stand together
    pairs = []           # (www name, bare name) of every pair

    for kind, labels, tld, count in PLAN:
        cluster = []
        for _ in range(count):
            if kind == "pair":
                while True:
                    bare, _ = make_name(rng, labels, tld, bare_shape=True)
                    if names.fits(bare) and names.fits("www." + bare) and len(bare) <= 54:
                        break
                names.add(bare, "www." + bare)
                pairs.append(("www." + bare, bare))
            elif kind == "www":
                while True:
                    bare, _ = make_name(rng, labels - 1, tld, bare_shape=True)
                    if names.fits("www." + bare) and names.fits(bare):
                        break
                names.add("www." + bare)
                blocks.append(["www." + bare])
            else:
                # Further hosts of one site (down.x.com, tj.x.com) stand together.
                grow = (cluster and len(cluster[-1]) < 4 and rng.random() < 0.3
                        and labels - len(cluster_parent.split(".")) >= 1)
                while True:
                    name, parent = make_name(rng, labels, tld, parent=cluster_parent if grow else None)
                    if names.fits(name):
                        break
                    grow = False
                names.add(name)
                if grow:
                    cluster[-1].append(name)
                else:
                    cluster.append([name])
                    cluster_parent = parent
        blocks.extend(cluster)

    stretch_extremes(rng, blocks, names)

    # A few names that have no www partner are written with capitals.
    others = [block[0] for block in blocks if len(block) == 1 and not block[0].startswith("www.")]
    rng.shuffle(others)
    renamed = {name: capitalise(rng, name) for name in others[:CAPITALISED]}

    # Pairs: most stand together, www first or bare first; a few stand apart.
    order = list(range(len(pairs)))
    rng.shuffle(order)
    split = set(order[:SPLIT_PAIRS])
    bare_first = set(order[SPLIT_PAIRS:SPLIT_PAIRS + BARE_FIRST_PAIRS])
    apart = []
    for index, (www, bare) in enumerate(pairs):
        if index in split:
            apart.append((www, bare))
            blocks.append([www])
            blocks.append([bare])
        elif index in bare_first:
            blocks.append([bare, www])
        else:
            blocks.append([www, bare])

    while True:
        rng.shuffle(blocks)
        entries = [renamed.get(name, name) for block in blocks for name in block]
        where = {name: i for i, name in enumerate(entries)}
        if all(abs(where[w] - where[b]) > 1 for w, b in apart):
            return entries


def stretch_extremes(rng, blocks, names):
    """Makes the shortest name five characters and the longest 58: the first
    lone two-label name under a two-letter TLD becomes a letter and a digit
    (like k7.cn), the first five-label name gets a long registrable label."""
    for block in blocks:
        name = block[0]
        labels = name.split(".")
        if len(block) == 1 and len(labels) == 2 and len(labels[1]) == 2:
            while True:
                short = rng.choice("abcdefghkmnpstuwxyz") + rng.choice("23456789") + "." + labels[1]
                if label_allowed(short.split(".")[0]) and names.fits(short):
                    break
            names.add(short)
            block[0] = short
            break
    for block in blocks:
        labels = block[0].split(".")
        if len(labels) == 5:
            registrable = registrable_index(labels)
            fixed = len(block[0]) - len(labels[registrable])
            while True:
                labels[registrable] = exact_length_label(rng, 58 - fixed)
                long_name = ".".join(labels)
                if names.fits(long_name):
                    break
            names.add(long_name)
            block[0] = long_name
            return


# ------------------------------------------------------------------ checks --

def verify(text):
    """Problems with a blocklist file's text; an empty list if there are none."""
    problems = []
    if not text.endswith("\n") or text.endswith("\n\n"):
        problems.append("the file must end with exactly one line break")
    for bad, what in (("\r", "a carriage return"), ("\t", "a tab")):
        if bad in text:
            problems.append("the file contains " + what)
    lines = text[:-1].split("\n") if text.endswith("\n") else text.split("\n")
    for i, expected in enumerate(HEADER):
        if i >= len(lines) or lines[i] != expected:
            problems.append("line %d is not %r" % (i + 1, expected))
    for number, line in enumerate(lines[len(HEADER):], len(HEADER) + 1):
        sink, _, host = line.partition(" ")
        if sink != SINK or not host or line != line.strip():
            problems.append("line %d is not '%s <host>': %r" % (number, SINK, line))
        for label in host.split("."):
            if not label_allowed(label):
                problems.append("line %d: label %r is malformed or names a real brand" % (number, label))
    return problems


def render(seed=SEED):
    return "".join(line + "\n" for line in HEADER + ["%s %s" % (SINK, host) for host in build_entries(seed)])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true", help="check the file, write nothing")
    parser.add_argument("--output", type=Path, default=DEFAULT_OUTPUT)
    args = parser.parse_args()

    text = render()
    if args.check:
        try:
            existing = args.output.read_bytes().decode("utf-8")
        except (OSError, UnicodeDecodeError) as error:
            print("%s: %s" % (args.output, error), file=sys.stderr)
            return 1
        problems = verify(existing)
        if existing != text:
            problems.append("the file is not what the generator writes (seed %d)" % SEED)
    else:
        problems = verify(text)
    for problem in problems:
        print("%s: %s" % (args.output, problem), file=sys.stderr)
    if problems:
        return 1
    if not args.check:
        args.output.write_bytes(text.encode("utf-8"))
        print("wrote %s" % args.output)
    else:
        print("%s is in order" % args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
