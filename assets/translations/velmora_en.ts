<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Velmora</name>
    <message>
        <source>「対局」で始めて下さい</source>
        <translation>Start a game from the Game menu</translation>
    </message>
    <message>
        <source>開始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>OKですか？</source>
        <translation>Play on from this position?</translation>
    </message>
    <message>
        <source>再開</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>棋譜を '進 'で進めて下さい</source>
        <translation>Step through the record with Forward</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>先手の番です</source>
        <translation>First player to move</translation>
    </message>
    <message>
        <source>あなたの番です</source>
        <translation>Your move</translation>
    </message>
    <message>
        <source>ステールメイト</source>
        <translation>Stalemate</translation>
    </message>
    <message>
        <source>判定</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>   ** チェック **</source>
        <translation>   ** Check **</translation>
    </message>
    <message>
        <source>よし！!</source>
        <translation>Got you!!</translation>
    </message>
    <message>
        <source>チェックメイト ?</source>
        <translation>Checkmate ?</translation>
    </message>
    <message>
        <source>マウスの右をクリックして下さい</source>
        <translation>Click with the right mouse button</translation>
    </message>
    <message>
        <source>成り</source>
        <translation>Promotion</translation>
    </message>
    <message>
        <source>自殺できません</source>
        <translation>Your king would be taken</translation>
    </message>
    <message>
        <source>チェックです</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>これ以上指せません</source>
        <translation>No more moves can be recorded</translation>
    </message>
    <message>
        <source>手数</source>
        <translation>Moves</translation>
    </message>
    <message>
        <source>キングには成れません</source>
        <translation>A pawn cannot become a king</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>取りますか？</source>
        <translation>Take en passant?</translation>
    </message>
    <message>
        <source>アンパッサン</source>
        <translation>En passant</translation>
    </message>
    <message>
        <source>アンパッサンします！</source>
        <translation>En passant!</translation>
    </message>
    <message>
        <source>引き分けです</source>
        <translation>The game is drawn</translation>
    </message>
    <message>
        <source>あなたの勝ちです</source>
        <translation>You win</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀの勝ちです</source>
        <translation>The computer wins</translation>
    </message>
    <message>
        <source>先手の勝ちです</source>
        <translation>First player wins</translation>
    </message>
    <message>
        <source>後手の勝ちです</source>
        <translation>Second player wins</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>続けますか？</source>
        <translation>Play again?</translation>
    </message>
    <message>
        <source>再ゲーム</source>
        <translation>New game</translation>
    </message>
    <message>
        <source>あなたの時間切れです</source>
        <translation>Your time is up</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀの時間切れです</source>
        <translation>The computer's time is up</translation>
    </message>
    <message>
        <source>先手の時間切れです</source>
        <translation>First player's time is up</translation>
    </message>
    <message>
        <source>後手の時間切れです</source>
        <translation>Second player's time is up</translation>
    </message>
    <message>
        <source>時間切れ</source>
        <translation>Time up</translation>
    </message>
    <message>
        <source>投了しますか？</source>
        <translation>Resign the game?</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>引き分け提案</source>
        <translation>Draw offer</translation>
    </message>
    <message>
        <source>先手から引き分けの提案です。後手は受けますか？</source>
        <translation>First player offers a draw. Second player, accept?</translation>
    </message>
    <message>
        <source>後手から引き分けの提案です。先手は受けますか？</source>
        <translation>Second player offers a draw. First player, accept?</translation>
    </message>
    <message>
        <source>引き分けの提案は断られました</source>
        <translation>The draw offer was declined</translation>
    </message>
    <message>
        <source>ｺﾝﾋﾟｭｰﾀは引き分けを断りました</source>
        <translation>The computer declines the draw</translation>
    </message>
    <message>
        <source>できません</source>
        <translation>Not possible</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>End</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Turn round</translation>
    </message>
    <message>
        <source>棋譜ﾓｰﾄﾞではできません</source>
        <translation>Not while a record is shown</translation>
    </message>
    <message>
        <source>棋譜ﾓｰﾄﾞではできません

局面→最初にして下さい</source>
        <translation>Not while a record is shown

Go back to the first position (Position ▸ First position)</translation>
    </message>
    <message>
        <source>対局途中ではできません

局面→最初にして下さい</source>
        <translation>Not during a game

Go back to the first position (Position ▸ First position)</translation>
    </message>
    <message>
        <source>反転後ではできません

局面→最初にして下さい</source>
        <translation>Not after the boards were turned round

Go back to the first position (Position ▸ First position)</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ設定</source>
        <translation>Handicap</translation>
    </message>
    <message>
        <source>前回の対局はありません</source>
        <translation>There is no last game</translation>
    </message>
    <message>
        <source>反転後は書き込みできません</source>
        <translation>Cannot save after the boards were turned round</translation>
    </message>
    <message>
        <source>棋譜書込</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｷｬｯﾌﾟ設定後は書き込みできません</source>
        <translation>Cannot save after a handicap was set</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が入力されていません</source>
        <translation>No file name was given</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が正しくありません</source>
        <translation>The file name is not valid</translation>
    </message>
    <message>
        <source>保存するデータがありません</source>
        <translation>There is nothing to save</translation>
    </message>
    <message>
        <source>棋譜保存</source>
        <translation>Save record</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙを書き込めませんでした
%1
%2</source>
        <translation>Could not write the record file
%1
%2</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙに書けない文字があります</source>
        <translation>The record has characters a record file cannot hold</translation>
    </message>
    <message>
        <source>棋譜を書き込みました</source>
        <translation>The record was saved</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙにﾃﾞｰﾀがありません</source>
        <translation>The record file holds no game</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙを開けません
%1
%2</source>
        <translation>Cannot open the record file
%1
%2</translation>
    </message>
    <message>
        <source>棋譜ﾌｧｲﾙの %1 行目が読めません</source>
        <translation>Line %1 of the record file cannot be read</translation>
    </message>
    <message>
        <source> 読み込みました</source>
        <translation> Loaded</translation>
    </message>
    <message>
        <source>解説ファイルを開けません: %1</source>
        <translation>Cannot open the help file: %1</translation>
    </message>
    <message>
        <source>解説ファイルが見つかりません: %1</source>
        <translation>Help file not found: %1</translation>
    </message>
    <message>
        <source>解説</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ﾌﾞﾗｳｻﾞを開けませんでした
ﾎｰﾑﾍﾟｰｼﾞ: %1</source>
        <translation>Could not open a web browser
Home page: %1</translation>
    </message>
    <message>
        <source>ﾎｰﾑﾍﾟｰｼﾞ</source>
        <translation>Home page</translation>
    </message>
    <message>
        <source>Direct Soundインターフェースが作成できません。</source>
        <translation>The sound device cannot be opened.</translation>
    </message>
    <message>
        <source>通常のﾌｧｲﾙではありません</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙが大きすぎます</source>
        <translation>The file is too large</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙまたはﾌｫﾙﾀﾞがありません</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>途中にﾌｫﾙﾀﾞでないものがあります</source>
        <translation>A part of the path is not a folder</translation>
    </message>
    <message>
        <source>ｱｸｾｽが許可されていません</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>ﾃﾞｨｽｸがいっぱいです</source>
        <translation>The disk is full</translation>
    </message>
    <message>
        <source>ﾃﾞｨｽｸの使用量の制限を超えました</source>
        <translation>The disk quota is exceeded</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名が長すぎます</source>
        <translation>The file name is too long</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙではなくﾌｫﾙﾀﾞです</source>
        <translation>It is a folder, not a file</translation>
    </message>
    <message>
        <source>読み込み専用のﾃﾞｨｽｸです</source>
        <translation>The disk is read-only</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙｻｲｽﾞの制限を超えました</source>
        <translation>The file size limit is exceeded</translation>
    </message>
    <message>
        <source>ﾃﾞｨｽｸの読み書きに失敗しました</source>
        <translation>The disk could not be read or written</translation>
    </message>
    <message>
        <source>ｼﾝﾎﾞﾘｯｸﾘﾝｸをたどれません</source>
        <translation>Too many symbolic links</translation>
    </message>
    <message>
        <source>開いているﾌｧｲﾙが多すぎます</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>ﾒﾓﾘが足りません</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙが使用中です</source>
        <translation>The file is in use</translation>
    </message>
    <message>
        <source>別のﾃﾞｨｽｸをまたいで置き換えられません</source>
        <translation>Cannot replace a file on another disk</translation>
    </message>
    <message>
        <source>同じ名前のﾌｧｲﾙがあります</source>
        <translation>A file of that name exists</translation>
    </message>
    <message>
        <source>思考中</source>
        <translation>Thinking</translation>
    </message>
    <message>
        <source>手目</source>
        <translation>moves</translation>
    </message>
    <message>
        <source>%1 手目</source>
        <translation>Move %1</translation>
    </message>
    <message>
        <source>ﾊﾝﾃﾞｨｷｬｯﾌﾟ:%1</source>
        <translation>Handicap: %1</translation>
    </message>
    <message>
        <source>６段</source>
        <translation>6 dan</translation>
    </message>
    <message>
        <source>５段</source>
        <translation>5 dan</translation>
    </message>
    <message>
        <source>４段</source>
        <translation>4 dan</translation>
    </message>
    <message>
        <source>３段</source>
        <translation>3 dan</translation>
    </message>
    <message>
        <source>２段</source>
        <translation>2 dan</translation>
    </message>
    <message>
        <source>初段</source>
        <translation>1 dan</translation>
    </message>
    <message>
        <source>１級</source>
        <translation>1 kyu</translation>
    </message>
    <message>
        <source>２級</source>
        <translation>2 kyu</translation>
    </message>
    <message>
        <source>３級</source>
        <translation>3 kyu</translation>
    </message>
    <message>
        <source>４級</source>
        <translation>4 kyu</translation>
    </message>
    <message>
        <source>５級</source>
        <translation>5 kyu</translation>
    </message>
    <message>
        <source>６級</source>
        <translation>6 kyu</translation>
    </message>
    <message>
        <source>７級</source>
        <translation>7 kyu</translation>
    </message>
    <message>
        <source>８級</source>
        <translation>8 kyu</translation>
    </message>
    <message>
        <source>９級</source>
        <translation>9 kyu</translation>
    </message>
    <message>
        <source>一</source>
        <translation>1</translation>
    </message>
    <message>
        <source>二</source>
        <translation>2</translation>
    </message>
    <message>
        <source>三</source>
        <translation>3</translation>
    </message>
    <message>
        <source>四</source>
        <translation>4</translation>
    </message>
    <message>
        <source>五</source>
        <translation>5</translation>
    </message>
    <message>
        <source>六</source>
        <translation>6</translation>
    </message>
    <message>
        <source>七</source>
        <translation>7</translation>
    </message>
    <message>
        <source>八</source>
        <translation>8</translation>
    </message>
    <message>
        <source>ポーン</source>
        <translation>Pawn</translation>
    </message>
    <message>
        <source>ナイト</source>
        <translation>Knight</translation>
    </message>
    <message>
        <source>ビショップ</source>
        <translation>Bishop</translation>
    </message>
    <message>
        <source>ルーク</source>
        <translation>Rook</translation>
    </message>
    <message>
        <source>クィーン</source>
        <translation>Queen</translation>
    </message>
    <message>
        <source>キング</source>
        <translation>King</translation>
    </message>
    <message>
        <source>ａ</source>
        <translation>a</translation>
    </message>
    <message>
        <source>ｂ</source>
        <translation>b</translation>
    </message>
    <message>
        <source>ｃ</source>
        <translation>c</translation>
    </message>
    <message>
        <source>ｄ</source>
        <translation>d</translation>
    </message>
    <message>
        <source>ｅ</source>
        <translation>e</translation>
    </message>
    <message>
        <source>ｆ</source>
        <translation>f</translation>
    </message>
    <message>
        <source>ｇ</source>
        <translation>g</translation>
    </message>
    <message>
        <source>ｈ</source>
        <translation>h</translation>
    </message>
    <message>
        <source>１</source>
        <translation>1</translation>
    </message>
    <message>
        <source>２</source>
        <translation>2</translation>
    </message>
    <message>
        <source>３</source>
        <translation>3</translation>
    </message>
    <message>
        <source>４</source>
        <translation>4</translation>
    </message>
    <message>
        <source>５</source>
        <translation>5</translation>
    </message>
    <message>
        <source>６</source>
        <translation>6</translation>
    </message>
    <message>
        <source>７</source>
        <translation>7</translation>
    </message>
    <message>
        <source>８</source>
        <translation>8</translation>
    </message>
    <message>
        <source>左</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>右</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>？</source>
        <translation>?</translation>
    </message>
    <message>
        <source>－</source>
        <translation>-</translation>
    </message>
    <message>
        <source>%1（%2×）</source>
        <translation>%1 (× %2)</translation>
    </message>
    <message>
        <source>先手がキングを取った</source>
        <translation>First player has taken a king</translation>
    </message>
    <message>
        <source>後手がキングを取った</source>
        <translation>Second player has taken a king</translation>
    </message>
    <message>
        <source>先手が%1手でキングを取る</source>
        <translation>First player: king in %1</translation>
    </message>
    <message>
        <source>後手が%1手でキングを取る</source>
        <translation>Second player: king in %1</translation>
    </message>
    <message>
        <source>局面を読めません
%1</source>
        <translation>Cannot read the position
%1</translation>
    </message>
    <message>
        <source>局面</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>対局中です。この局面から始めますか？</source>
        <translation>A game is under way. Start from this position?</translation>
    </message>
    <message>
        <source>%1、%2文字目: %3</source>
        <translation>%1, character %2: %3</translation>
    </message>
    <message>
        <source>左の盤</source>
        <translation>left board</translation>
    </message>
    <message>
        <source>右の盤</source>
        <translation>right board</translation>
    </message>
    <message>
        <source>手番</source>
        <translation>side to move</translation>
    </message>
    <message>
        <source>手数欄</source>
        <translation>move number</translation>
    </message>
    <message>
        <source>文字がありません</source>
        <translation>the text is empty</translation>
    </message>
    <message>
        <source>200文字を超えています</source>
        <translation>the text is longer than 200 characters</translation>
    </message>
    <message>
        <source>駒の文字（PNBRQK pnbrqk）でも空きの数でもありません</source>
        <translation>not a piece letter (PNBRQK pnbrqk) or a count of empty squares</translation>
    </message>
    <message>
        <source>空きの数が続いています</source>
        <translation>two counts of empty squares in a row</translation>
    </message>
    <message>
        <source>空きの数は1から8です</source>
        <translation>a count of empty squares must be 1 to 8</translation>
    </message>
    <message>
        <source>段が8マスを超えています</source>
        <translation>the rank has more than 8 squares</translation>
    </message>
    <message>
        <source>段が8マスに足りません</source>
        <translation>the rank has fewer than 8 squares</translation>
    </message>
    <message>
        <source>段が8つに足りません</source>
        <translation>the board has fewer than 8 ranks</translation>
    </message>
    <message>
        <source>段が8つを超えています</source>
        <translation>the board has more than 8 ranks</translation>
    </message>
    <message>
        <source>手番は w か b です</source>
        <translation>the side to move must be w or b</translation>
    </message>
    <message>
        <source>手数は0で始まらない数です</source>
        <translation>the move number must be a number without leading zeros</translation>
    </message>
    <message>
        <source>手数が9999を超えています</source>
        <translation>the move number is over 9999</translation>
    </message>
    <message>
        <source>ここで終わっています</source>
        <translation>the text ends here</translation>
    </message>
    <message>
        <source>項目の間は空白1つです</source>
        <translation>fields are separated by one space</translation>
    </message>
    <message>
        <source>手数の後に文字があります</source>
        <translation>text after the move number</translation>
    </message>
    <message>
        <source>どちらの盤にも白と黒のキングが1つずつ必要です</source>
        <translation>Each board needs exactly one white king and one black king</translation>
    </message>
    <message>
        <source>ポーンは1段目と8段目に置けません</source>
        <translation>No pawn may stand on the first or the last rank</translation>
    </message>
    <message>
        <source>手番でない側のキングが取れる局面です</source>
        <translation>The side to move could take the other side's king</translation>
    </message>
    <message>
        <source>局面の編集</source>
        <translation>Edit position</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>開始局面</source>
        <translation>Start position</translation>
    </message>
    <message>
        <source>ﾌｧｲﾙ名 ：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>対 局 名：</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>先    手 ：</source>
        <translation>First:</translation>
    </message>
    <message>
        <source>後    手 ：</source>
        <translation>Second:</translation>
    </message>
    <message>
        <source>ﾃﾞﾊﾞｲｽが準備できていません</source>
        <translation>The drive is not ready</translation>
    </message>
    <message>
        <source>ｴﾗｰ</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>持ち時間の設定</source>
        <translation>Time control</translation>
    </message>
    <message>
        <source>持ち時間（分）</source>
        <translation>Minutes each</translation>
    </message>
    <message>
        <source>加算（秒）</source>
        <translation>Seconds added a move</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Velmora</translation>
    </message>
    <message>
        <source>ホームページ</source>
        <translation>Home page</translation>
    </message>
    <message>
        <source>解説</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>O K</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>深さ %1</source>
        <translation>Depth %1</translation>
    </message>
    <message>
        <source>対局の解析</source>
        <translation>Game review</translation>
    </message>
    <message>
        <source>1局面の解析時間（秒）</source>
        <translation>Seconds a position</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>解析中 %1／%2手</source>
        <translation>Reviewing move %1 of %2</translation>
    </message>
    <message>
        <source>残り %1秒</source>
        <translation>%1 s left</translation>
    </message>
    <message>
        <source>損失</source>
        <translation>Loss</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>First</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>Second</translation>
    </message>
    <message>
        <source>疑問手</source>
        <translation>Inaccuracy</translation>
    </message>
    <message>
        <source>悪手</source>
        <translation>Mistake</translation>
    </message>
    <message>
        <source>大悪手</source>
        <translation>Blunder</translation>
    </message>
    <message>
        <source>最善:</source>
        <translation>Best:</translation>
    </message>
    <message>
        <source>局面の編集</source>
        <translation>Edit position</translation>
    </message>
    <message>
        <source>消す</source>
        <translation>Eraser</translation>
    </message>
    <message>
        <source>初期配置</source>
        <translation>Start position</translation>
    </message>
    <message>
        <source>空の盤</source>
        <translation>Empty boards</translation>
    </message>
    <message>
        <source>手番</source>
        <translation>To move</translation>
    </message>
    <message>
        <source>白</source>
        <translation>White</translation>
    </message>
    <message>
        <source>黒</source>
        <translation>Black</translation>
    </message>
</context>
<context>
    <name>Menu</name>
    <message>
        <source>対局</source>
        <translation>Game</translation>
    </message>
    <message>
        <source>対局(人間)</source>
        <translation>Two players</translation>
    </message>
    <message>
        <source>スタート</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>対局(COM)</source>
        <translation>Against the computer</translation>
    </message>
    <message>
        <source>先手</source>
        <translation>You move first</translation>
    </message>
    <message>
        <source>後手</source>
        <translation>The computer moves first</translation>
    </message>
    <message>
        <source>COM対局ﾚﾍﾞﾙ</source>
        <translation>Computer level</translation>
    </message>
    <message>
        <source>持ち時間</source>
        <translation>Time control</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>設定...</source>
        <translation>Custom...</translation>
    </message>
    <message>
        <source>投了</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>引き分け提案</source>
        <translation>Offer a draw</translation>
    </message>
    <message>
        <source>終わり</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>局面</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>最初</source>
        <translation>First position</translation>
    </message>
    <message>
        <source>反転</source>
        <translation>Turn round</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>棋譜一覧</source>
        <translation>Move list</translation>
    </message>
    <message>
        <source>戻</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>棋譜</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>読込</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>書込</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>前回の対局</source>
        <translation>Last game</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>移動指導</source>
        <translation>Move guidance</translation>
    </message>
    <message>
        <source>背景画</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>緑</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>畳</source>
        <translation>Tatami</translation>
    </message>
    <message>
        <source>竹</source>
        <translation>Bamboo</translation>
    </message>
    <message>
        <source>宇宙</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>煉瓦</source>
        <translation>Brick</translation>
    </message>
    <message>
        <source>速い表示</source>
        <translation>Fast display</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>解説</source>
        <translation>Help page</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Velmora</translation>
    </message>
    <message>
        <source>解析</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>対局の解析</source>
        <translation>Review the game</translation>
    </message>
    <message>
        <source>局面をコピー</source>
        <translation>Copy position</translation>
    </message>
    <message>
        <source>局面を貼り付け</source>
        <translation>Paste position</translation>
    </message>
    <message>
        <source>局面の編集</source>
        <translation>Edit position</translation>
    </message>
</context>
</TS>
