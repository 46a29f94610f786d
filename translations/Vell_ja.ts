<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Help_explain</name>
    <message>
        <source>How to play vell</source>
        <translation>ヴェルの遊び方</translation>
    </message>
</context>
<context>
    <name>Level_Check</name>
    <message>
        <source>Level:%1(Most easy)</source>
        <translation>レベル:%1(とても易しい)</translation>
    </message>
    <message>
        <source>Level:%1(Easy)</source>
        <translation>レベル:%1(易しい)</translation>
    </message>
    <message>
        <source>Level:%1(Normal)</source>
        <translation>レベル:%1(普通)</translation>
    </message>
    <message>
        <source>Level:%1(Difficult)</source>
        <translation>レベル:%1(難しい)</translation>
    </message>
    <message>
        <source>Level:%1(Most difficult)</source>
        <translation>レベル:%1(とても難しい)</translation>
    </message>
    <message>
        <source>Level check</source>
        <translation>レベル確認</translation>
    </message>
    <message>
        <source>Hello %1</source>
        <translation>こんにちは、%1さん</translation>
    </message>
    <message>
        <source>Change Strange Level</source>
        <translation>強さのレベルを変更</translation>
    </message>
    <message>
        <source>Chenge Card deal method</source>
        <translation>カードの配り方を変更</translation>
    </message>
    <message>
        <source>Random(Default)</source>
        <translation>ランダム(標準)</translation>
    </message>
    <message>
        <source>Turn up</source>
        <translation>表向き</translation>
    </message>
    <message>
        <source>Turn down</source>
        <translation>裏向き</translation>
    </message>
    <message>
        <source>Diamond card deal method</source>
        <translation>ダイヤの配り方</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cansel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>This soft is free soft
There are not changing functions.</source>
        <translation>このソフトはフリーソフトです
設定を変更する機能はありません。</translation>
    </message>
</context>
<context>
    <name>Vell</name>
    <message>
        <source>Greeting Message!</source>
        <translation>ごあいさつ!</translation>
    </message>
    <message>
        <source>Hello %1

 How are you?
 
 Let&apos;s Start Playing  Game!!</source>
        <translation>こんにちは、%1さん

 ごきげんいかがですか?
 
 さあ、ゲームを始めましょう!!</translation>
    </message>
    <message>
        <source>Good bye Message!</source>
        <translation>お別れのメッセージ!</translation>
    </message>
    <message>
        <source>Good Bye %1

 See you again!!</source>
        <translation>さようなら、%1さん

 またお会いしましょう!!</translation>
    </message>
    <message>
        <source>Human vs Computer</source>
        <translation>人間 対 コンピュータ</translation>
    </message>
    <message>
        <source>Ctrl+B</source>
        <translation>Ctrl+B</translation>
    </message>
    <message>
        <source>Free Play</source>
        <translation>フリープレイ</translation>
    </message>
    <message>
        <source>computer vs computer</source>
        <translation>コンピュータ 対 コンピュータ</translation>
    </message>
    <message>
        <source>close</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Back Color green default</source>
        <translation>背景色 緑(標準)</translation>
    </message>
    <message>
        <source>Back Color white</source>
        <translation>背景色 白</translation>
    </message>
    <message>
        <source>Back Color red</source>
        <translation>背景色 赤</translation>
    </message>
    <message>
        <source>Back Color blue</source>
        <translation>背景色 青</translation>
    </message>
    <message>
        <source>Back Color cyan</source>
        <translation>背景色 シアン</translation>
    </message>
    <message>
        <source>Back Color magents</source>
        <translation>背景色 マゼンタ</translation>
    </message>
    <message>
        <source>Back Color yellow</source>
        <translation>背景色 黄</translation>
    </message>
    <message>
        <source>Back Color gray</source>
        <translation>背景色 灰色</translation>
    </message>
    <message>
        <source>Back Color lightGray</source>
        <translation>背景色 明るい灰色</translation>
    </message>
    <message>
        <source>Level check</source>
        <translation>レベル確認</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>プレイ(&amp;P)</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>レベル</translation>
    </message>
    <message>
        <source>&amp;Config</source>
        <translation>設定(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Back Color</source>
        <translation>背景色(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>ゲーム(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>オプション(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>8</source>
        <translation>8</translation>
    </message>
    <message>
        <source>9</source>
        <translation>9</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>11</source>
        <translation>11</translation>
    </message>
    <message>
        <source>12</source>
        <translation>12</translation>
    </message>
    <message>
        <source>13</source>
        <translation>13</translation>
    </message>
    <message>
        <source>Vell</source>
        <translation>Vell</translation>
    </message>
    <message>
        <source>computer&apos;s hand, place %1</source>
        <translation>コンピュータの手札、%1番目</translation>
    </message>
    <message>
        <source>computer&apos;s won cards, place %1</source>
        <translation>コンピュータの獲得カード、%1番目</translation>
    </message>
    <message>
        <source>prize pile</source>
        <translation>賞品の山</translation>
    </message>
    <message>
        <source>prize card</source>
        <translation>賞品のカード</translation>
    </message>
    <message>
        <source>computer&apos;s card</source>
        <translation>コンピュータのカード</translation>
    </message>
    <message>
        <source>your card</source>
        <translation>あなたのカード</translation>
    </message>
    <message>
        <source>your won cards, place %1</source>
        <translation>あなたの獲得カード、%1番目</translation>
    </message>
    <message>
        <source>your hand, place %1</source>
        <translation>あなたの手札、%1番目</translation>
    </message>
    <message>
        <source>card back</source>
        <translation>カードの裏</translation>
    </message>
    <message>
        <source>Round:%1,Score:CPU=%2,User=%3,tie=%4</source>
        <translation>ラウンド:%1,得点:CPU=%2,あなた=%3,引分=%4</translation>
    </message>
    <message>
        <source>1:CPU=%1</source>
        <translation>1位:CPU=%1</translation>
    </message>
    <message>
        <source>2:User=%1</source>
        <translation>2位:あなた=%1</translation>
    </message>
    <message>
        <source>1:User=%1</source>
        <translation>1位:あなた=%1</translation>
    </message>
    <message>
        <source>2:CPU=%1</source>
        <translation>2位:CPU=%1</translation>
    </message>
    <message>
        <source>%1 of diamonds</source>
        <translation>ダイヤの%1</translation>
    </message>
    <message>
        <source>%1 of spades</source>
        <translation>スペードの%1</translation>
    </message>
    <message>
        <source>%1 of clubs</source>
        <translation>クラブの%1</translation>
    </message>
    <message>
        <source>Play %1</source>
        <translation>%1を出す</translation>
    </message>
    <message>
        <source>ace</source>
        <translation>エース</translation>
    </message>
    <message>
        <source>jack</source>
        <translation>ジャック</translation>
    </message>
    <message>
        <source>queen</source>
        <translation>クイーン</translation>
    </message>
    <message>
        <source>king</source>
        <translation>キング</translation>
    </message>
    <message>
        <source>Round %1, prize: %2, %3 points</source>
        <translation>ラウンド%1、賞品は%2、%3点</translation>
    </message>
    <message>
        <source>Score: computer %1, you %2.</source>
        <translation>得点はコンピュータ%1点、あなた%2点。</translation>
    </message>
    <message>
        <source>You Win.</source>
        <translation>あなたの勝ち。</translation>
    </message>
    <message>
        <source>You Lose.</source>
        <translation>あなたの負け。</translation>
    </message>
    <message>
        <source>This is tie.</source>
        <translation>引き分け。</translation>
    </message>
    <message>
        <source>First: %1, %2 points.</source>
        <translation>1位は%1、%2点。</translation>
    </message>
    <message>
        <source>Second: %1, %2 points.</source>
        <translation>2位は%1、%2点。</translation>
    </message>
    <message>
        <source>computer</source>
        <translation>コンピュータ</translation>
    </message>
    <message>
        <source>you</source>
        <translation>あなた</translation>
    </message>
    <message>
        <source>Game Start</source>
        <translation>ゲーム開始</translation>
    </message>
    <message>
        <source>Your card: %1</source>
        <translation>あなたの札は%1</translation>
    </message>
    <message>
        <source>Computer&apos;s card: %1</source>
        <translation>コンピュータの札は%1</translation>
    </message>
    <message>
        <source>No Count.</source>
        <translation>数えません。</translation>
    </message>
    <message>
        <source>Computer&apos;s card: %1, your card: %2</source>
        <translation>コンピュータの札は%1、あなたの札は%2</translation>
    </message>
    <message>
        <source>The prize goes to nobody</source>
        <translation>賞品はだれのものにもなりません</translation>
    </message>
    <message>
        <source>Draw:CPU=%1</source>
        <translation>引き分け:CPU=%1</translation>
    </message>
    <message>
        <source>Draw:User=%1</source>
        <translation>引き分け:あなた=%1</translation>
    </message>
    <message>
        <source>The %1 goes to nobody.</source>
        <translation>%1はだれのものにもなりません。</translation>
    </message>
    <message>
        <source>Draw: computer %1 points, you %2 points.</source>
        <translation>引き分け。コンピュータ%1点、あなた%2点。</translation>
    </message>
</context>
</TS>
