<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>AnalysisPane</name>
    <message>
        <source>%1 is mated</source>
        <translation>%1玉は詰み</translation>
    </message>
    <message>
        <source>%1 mates</source>
        <translation>%1勝ち（詰み）</translation>
    </message>
    <message>
        <source>%1 mates in %2</source>
        <translation>%1勝ち（%2手詰め）</translation>
    </message>
    <message>
        <source>at least %1</source>
        <translation>%1 以上</translation>
    </message>
    <message>
        <source>at most %1</source>
        <translation>%1 以下</translation>
    </message>
    <message>
        <source>Analysis</source>
        <translation>検討</translation>
    </message>
    <message>
        <source>&amp;Lines:</source>
        <translation>読み筋の数(&amp;L):</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>評価値</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>読み筋</translation>
    </message>
    <message>
        <source>No engine is set up for analysis. Analyse with %1?</source>
        <translation>検討に使うエンジンが設定されていません。%1 で検討しますか？</translation>
    </message>
    <message>
        <source>Depth %1</source>
        <translation>深さ %1</translation>
    </message>
    <message>
        <source>%1 nodes</source>
        <translation>%1 局面</translation>
    </message>
    <message>
        <source>%1 nodes/s</source>
        <translation>%1 局面/秒</translation>
    </message>
</context>
<context>
    <name>AnalysisSession</name>
    <message>
        <source>%1: the game ends here, and there is nothing to analyse.</source>
        <translation>%1: 対局はここで終わっているため、検討するものがありません。</translation>
    </message>
    <message>
        <source>%1 is mated: there is nothing to analyse.</source>
        <translation>%1玉は詰んでいるため、検討するものがありません。</translation>
    </message>
    <message>
        <source>%1 has no legal move: there is nothing to analyse.</source>
        <translation>%1に指せる手がないため、検討するものがありません。</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>an engine&apos;s failure</comment>
        <translation>エンジンのエラー: %1</translation>
    </message>
    <message>
        <source>Analysis is off.</source>
        <translation>検討は停止しています。</translation>
    </message>
    <message>
        <source>Starting %1...</source>
        <translation>%1 を起動しています...</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>an engine&apos;s notices, one a line</comment>
        <translation>エンジンからの注意:
%1</translation>
    </message>
</context>
<context>
    <name>BoardPictureCommands</name>
    <message>
        <source>PNG Picture (*.png)</source>
        <translation>PNG 画像 (*.png)</translation>
    </message>
    <message>
        <source>SVG Picture (*.svg)</source>
        <translation>SVG 画像 (*.svg)</translation>
    </message>
    <message>
        <source>Export Board Picture</source>
        <translation>盤面図を書き出す</translation>
    </message>
    <message>
        <source>the picture could not be made</source>
        <translation>画像を作成できませんでした</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>%1 を保存できません: %2</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Marlock</source>
        <translation>Marlock について</translation>
    </message>
    <message>
        <source>Shogi record editor</source>
        <translation>将棋の棋譜エディタ</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CBoardWnd</name>
    <message>
        <source>Board</source>
        <translation>盤面</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>Moves</source>
        <translation>指し手</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>%1 への変更を保存しますか？</translation>
    </message>
    <message>
        <source>The clipboard holds no game record.</source>
        <translation>クリップボードに棋譜がありません。</translation>
    </message>
    <message>
        <source>Cannot paste the record: %1</source>
        <translation>棋譜を貼り付けられません: %1</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 を開けません: %2</translation>
    </message>
</context>
<context>
    <name>CZelkanDoc</name>
    <message>
        <source>Error : %1 (line %2, column %3)</source>
        <translation>読み込みエラー: %1（%2 行目、%3 列目）</translation>
    </message>
    <message>
        <source>%1 holds no game record</source>
        <translation>%1 には棋譜がありません</translation>
    </message>
    <message>
        <source>%1 (line %2, column %3)</source>
        <translation>%1（%2 行目、%3 列目）</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>the reader&apos;s notices, one a line</comment>
        <translation>読み込み時の注意:
%1</translation>
    </message>
    <message>
        <source>Edit Title</source>
        <translation>表題の編集</translation>
    </message>
    <message>
        <source>Edit Black&apos;s Player</source>
        <translation>先手の対局者名の編集</translation>
    </message>
    <message>
        <source>Edit White&apos;s Player</source>
        <translation>後手の対局者名の編集</translation>
    </message>
    <message>
        <source>Edit Comment</source>
        <translation>コメントの編集</translation>
    </message>
    <message>
        <source>Add to Comment</source>
        <translation>コメントへの追記</translation>
    </message>
    <message>
        <source>Delete Variation</source>
        <translation>変化の削除</translation>
    </message>
    <message>
        <source>Delete Moves After</source>
        <translation>以降の指し手の削除</translation>
    </message>
    <message>
        <source>Variation Up</source>
        <translation>変化を上へ</translation>
    </message>
    <message>
        <source>Variation Down</source>
        <translation>変化を下へ</translation>
    </message>
    <message>
        <source>The clipboard</source>
        <translation>クリップボード</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>%1 を保存できません: %2</translation>
    </message>
    <message>
        <source>%1 cannot keep %2. Save anyway?</source>
        <translation>%1 形式では%2を保存できません。このまま保存しますか？</translation>
    </message>
    <message>
        <source>%1 was read only in part. Saving replaces it with what was read. Save anyway?</source>
        <translation>%1 は途中までしか読み込めませんでした。保存すると、読み込めた部分だけの内容で置き換わります。保存しますか？</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
</context>
<context>
    <name>CZelkanView</name>
    <message>
        <source>Title</source>
        <translation>表題</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>先手</translation>
    </message>
    <message>
        <source>White</source>
        <translation>後手</translation>
    </message>
    <message>
        <source>Promote Piece?</source>
        <translation>成りますか？</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a command of the Edit menu and the step it takes</comment>
        <translation>%2を%1</translation>
    </message>
    <message>
        <source>Cannot copy the record as %1: %2</source>
        <translation>棋譜を %1 形式でコピーできません: %2</translation>
    </message>
    <message>
        <source>%1 cannot keep %2. Copy anyway?</source>
        <translation>%1 形式では%2を残せません。このままコピーしますか？</translation>
    </message>
</context>
<context>
    <name>CommandTable</name>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>新規作成(&amp;N)	Ctrl+N</translation>
    </message>
    <message>
        <source>New From Pos&amp;ition...</source>
        <translation>局面から新規作成(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>開く(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>上書き保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Export Board &amp;Picture...</source>
        <translation>盤面図を書き出す(&amp;P)...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>最近使ったファイル</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>元に戻す(&amp;U)	Ctrl+Z</translation>
    </message>
    <message>
        <source>Red&amp;o	Ctrl+Y</source>
        <translation>やり直し(&amp;O)	Ctrl+Y</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>切り取り(&amp;T)	Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>コピー(&amp;C)	Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>貼り付け(&amp;P)	Ctrl+V</translation>
    </message>
    <message>
        <source>Delete	Del</source>
        <translation>削除	Del</translation>
    </message>
    <message>
        <source>Copy &amp;Record As</source>
        <translation>形式を選んで棋譜をコピー(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;KIF</source>
        <translation>KIF(&amp;K)</translation>
    </message>
    <message>
        <source>KI&amp;2</source>
        <translation>KI2(&amp;2)</translation>
    </message>
    <message>
        <source>&amp;CSA</source>
        <translation>CSA(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;USI</source>
        <translation>USI(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;JKF</source>
        <translation>JKF(&amp;J)</translation>
    </message>
    <message>
        <source>&amp;ESN</source>
        <translation>ESN(&amp;E)</translation>
    </message>
    <message>
        <source>Copy Po&amp;sition	Ctrl+Shift+C</source>
        <translation>局面をコピー(&amp;S)	Ctrl+Shift+C</translation>
    </message>
    <message>
        <source>Copy Position As &amp;Diagram</source>
        <translation>局面図としてコピー(&amp;D)</translation>
    </message>
    <message>
        <source>Copy &amp;Board Picture</source>
        <translation>盤面図をコピー(&amp;B)</translation>
    </message>
    <message>
        <source>Paste R&amp;ecord	Ctrl+Shift+V</source>
        <translation>棋譜を貼り付け(&amp;E)	Ctrl+Shift+V</translation>
    </message>
    <message>
        <source>Paste Pos&amp;ition	Ctrl+Alt+V</source>
        <translation>局面を貼り付け(&amp;I)	Ctrl+Alt+V</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Move List</source>
        <translation>指し手一覧(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Move</source>
        <translation>指し手(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Top	Ctrl+Home</source>
        <translation>開始局面へ(&amp;T)	Ctrl+Home</translation>
    </message>
    <message>
        <source>&amp;End	Ctrl+End</source>
        <translation>最終手へ(&amp;E)	Ctrl+End</translation>
    </message>
    <message>
        <source>&amp;Forward	Ctrl+Right</source>
        <translation>1手進む(&amp;F)	Ctrl+Right</translation>
    </message>
    <message>
        <source>&amp;Backward	Ctrl+Left</source>
        <translation>1手戻る(&amp;B)	Ctrl+Left</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>変化を削除</translation>
    </message>
    <message>
        <source>Delete Moves &amp;After</source>
        <translation>以降の指し手を削除(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Promote Variation</source>
        <translation>変化を本譜にする(&amp;P)</translation>
    </message>
    <message>
        <source>Variation &amp;Up</source>
        <translation>変化を上へ(&amp;U)</translation>
    </message>
    <message>
        <source>Variation &amp;Down</source>
        <translation>変化を下へ(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>オプション(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Japanese Pieces</source>
        <translation>漢字の駒(&amp;J)</translation>
    </message>
    <message>
        <source>&amp;International Pieces</source>
        <translation>国際式の駒(&amp;I)</translation>
    </message>
    <message>
        <source>Japanese &amp;Notation</source>
        <translation>日本式の棋譜表記(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Rotate Board</source>
        <translation>盤面を反転(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Picture Size</source>
        <translation>盤面図の大きさ(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;1× (448 × 352)</source>
        <translation>1倍 (448 × 352)(&amp;1)</translation>
    </message>
    <message>
        <source>&amp;2× (896 × 704)</source>
        <translation>2倍 (896 × 704)(&amp;2)</translation>
    </message>
    <message>
        <source>&amp;3× (1344 × 1056)</source>
        <translation>3倍 (1344 × 1056)(&amp;3)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;System</source>
        <translation>システムの設定に従う(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;English</source>
        <translation>English(&amp;E)</translation>
    </message>
    <message>
        <source>日本語(&amp;J)</source>
        <translation>日本語(&amp;J)</translation>
    </message>
    <message>
        <source>E&amp;ngine</source>
        <translation>エンジン(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Analyze	F5</source>
        <translation>検討(&amp;A)	F5</translation>
    </message>
    <message>
        <source>Add as &amp;Variation</source>
        <translation>変化として追加(&amp;V)</translation>
    </message>
    <message>
        <source>Add &amp;Evaluation to Comment</source>
        <translation>評価値をコメントに追加(&amp;E)</translation>
    </message>
    <message>
        <source>E&amp;ngines...</source>
        <translation>エンジンの設定(&amp;N)...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Marlock...</source>
        <translation>Marlock について(&amp;A)...</translation>
    </message>
    <message>
        <source>Select an available variation
Variations</source>
        <translation>指し手の候補（変化）を選びます
変化</translation>
    </message>
    <message>
        <source>Move to the top of the tree
Top</source>
        <translation>開始局面に移動します
開始局面へ</translation>
    </message>
    <message>
        <source>Move forward one move
Forward</source>
        <translation>1手進めます
進む</translation>
    </message>
    <message>
        <source>Move back one move
Back</source>
        <translation>1手戻します
戻る</translation>
    </message>
    <message>
        <source>Move to the end of this variation
End</source>
        <translation>この変化の最終手に移動します
最終手へ</translation>
    </message>
    <message>
        <source>Delete the selected variation
Delete</source>
        <translation>選んだ変化を削除します
変化を削除</translation>
    </message>
    <message>
        <source>Delete every move after this position
Delete Moves After</source>
        <translation>この局面より後の指し手をすべて削除します
以降を削除</translation>
    </message>
    <message>
        <source>Make the line of this move the main line
Promote Variation</source>
        <translation>この指し手を含む変化を本譜にします
本譜にする</translation>
    </message>
    <message>
        <source>Move this variation before the one above it
Variation Up</source>
        <translation>この変化を一つ上の変化の前に移します
変化を上へ</translation>
    </message>
    <message>
        <source>Move this variation after the one below it
Variation Down</source>
        <translation>この変化を一つ下の変化の後に移します
変化を下へ</translation>
    </message>
    <message>
        <source>Use Japanese pieces
Japanese Pieces</source>
        <translation>漢字の駒を使います
漢字の駒</translation>
    </message>
    <message>
        <source>Use International pieces
International Pieces</source>
        <translation>国際式の駒を使います
国際式の駒</translation>
    </message>
    <message>
        <source>Rotate the board
Rotate Board</source>
        <translation>盤面を反転します
盤面を反転</translation>
    </message>
    <message>
        <source>Name the moves in Japanese notation
Japanese Notation</source>
        <translation>指し手を日本式の表記（▲７六歩）で表示します
日本式の表記</translation>
    </message>
    <message>
        <source>Copy the record in a record format
Copy Record As</source>
        <translation>棋譜を選んだ形式でコピーします
形式を選んでコピー</translation>
    </message>
    <message>
        <source>Copy the record as KIF text
Copy as KIF</source>
        <translation>棋譜を KIF 形式のテキストでコピーします
KIF でコピー</translation>
    </message>
    <message>
        <source>Copy the record as KI2 text
Copy as KI2</source>
        <translation>棋譜を KI2 形式のテキストでコピーします
KI2 でコピー</translation>
    </message>
    <message>
        <source>Copy the main line as CSA text
Copy as CSA</source>
        <translation>本譜を CSA 形式のテキストでコピーします
CSA でコピー</translation>
    </message>
    <message>
        <source>Copy the main line as a USI position command
Copy as USI</source>
        <translation>本譜を USI の position コマンドとしてコピーします
USI でコピー</translation>
    </message>
    <message>
        <source>Copy the record as JKF text
Copy as JKF</source>
        <translation>棋譜を JKF 形式のテキストでコピーします
JKF でコピー</translation>
    </message>
    <message>
        <source>Copy the record as ESN text
Copy as ESN</source>
        <translation>棋譜を ESN 形式のテキストでコピーします
ESN でコピー</translation>
    </message>
    <message>
        <source>Copy the current position as SFEN
Copy Position</source>
        <translation>現在の局面を SFEN でコピーします
局面をコピー</translation>
    </message>
    <message>
        <source>Copy the current position as a board diagram
Copy Position As Diagram</source>
        <translation>現在の局面を局面図としてコピーします
局面図としてコピー</translation>
    </message>
    <message>
        <source>Show or hide the list of the moves
Move List</source>
        <translation>指し手一覧を表示または非表示にします
指し手一覧</translation>
    </message>
    <message>
        <source>Save a picture of the board as PNG or SVG
Export Board Picture</source>
        <translation>盤面図を PNG または SVG で保存します
盤面図を書き出す</translation>
    </message>
    <message>
        <source>Copy a picture of the board
Copy Board Picture</source>
        <translation>盤面図をコピーします
盤面図をコピー</translation>
    </message>
    <message>
        <source>Choose the size of board pictures
Picture Size</source>
        <translation>盤面図の大きさを選びます
盤面図の大きさ</translation>
    </message>
    <message>
        <source>Make board pictures 448 by 352 pixels
Picture Size 1x</source>
        <translation>盤面図を 448 × 352 ピクセルで作ります
盤面図 1倍</translation>
    </message>
    <message>
        <source>Make board pictures 896 by 704 pixels
Picture Size 2x</source>
        <translation>盤面図を 896 × 704 ピクセルで作ります
盤面図 2倍</translation>
    </message>
    <message>
        <source>Make board pictures 1344 by 1056 pixels
Picture Size 3x</source>
        <translation>盤面図を 1344 × 1056 ピクセルで作ります
盤面図 3倍</translation>
    </message>
    <message>
        <source>Open the game record on the Clipboard as a new record
Paste Record</source>
        <translation>クリップボードの棋譜を新しい棋譜として開きます
棋譜を貼り付け</translation>
    </message>
    <message>
        <source>Set up a position by hand and start a new record from it
New From Position</source>
        <translation>局面を編集し、その局面から新しい棋譜を始めます
局面から新規作成</translation>
    </message>
    <message>
        <source>Set up the position on the Clipboard and start a new record from it
Paste Position</source>
        <translation>クリップボードの局面を編集し、その局面から新しい棋譜を始めます
局面を貼り付け</translation>
    </message>
    <message>
        <source>Analyse the position shown with the current engine
Analyze</source>
        <translation>表示中の局面を現在のエンジンで検討します
検討</translation>
    </message>
    <message>
        <source>Add the chosen line of the engine as a variation
Add as Variation</source>
        <translation>選んだ読み筋を変化として追加します
変化として追加</translation>
    </message>
    <message>
        <source>Add the engine&apos;s score and best line to the comment
Add Evaluation to Comment</source>
        <translation>エンジンの評価値と最善の読み筋をコメントに追加します
評価値をコメントに追加</translation>
    </message>
    <message>
        <source>Set up the engines and choose the one that analyses
Engines</source>
        <translation>エンジンを設定し、検討に使うエンジンを選びます
エンジンの設定</translation>
    </message>
    <message>
        <source>Choose the language of the program; it changes at the next start
Language</source>
        <translation>表示する言語を選びます（次回の起動から切り替わります）
言語</translation>
    </message>
    <message>
        <source>Speak the language of the system from the next start
System Language</source>
        <translation>次回の起動からシステムの言語で表示します
システムの言語</translation>
    </message>
    <message>
        <source>Speak English from the next start
English</source>
        <translation>次回の起動から英語で表示します
English</translation>
    </message>
    <message>
        <source>Speak Japanese from the next start
日本語</source>
        <translation>次回の起動から日本語で表示します
日本語</translation>
    </message>
    <message>
        <source>Create a new document
New</source>
        <translation>新しい棋譜を作成します
新規作成</translation>
    </message>
    <message>
        <source>Open an existing document
Open</source>
        <translation>既存の棋譜を開きます
開く</translation>
    </message>
    <message>
        <source>Save the active document
Save</source>
        <translation>現在の棋譜を上書き保存します
上書き保存</translation>
    </message>
    <message>
        <source>Save the active document with a new name
Save As</source>
        <translation>現在の棋譜に名前を付けて保存します
名前を付けて保存</translation>
    </message>
    <message>
        <source>Deletes the selection
Delete</source>
        <translation>選択範囲を削除します
削除</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>選択範囲をコピーしてクリップボードに入れます
コピー</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>選択範囲を切り取ってクリップボードに入れます
切り取り</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>クリップボードの内容を貼り付けます
貼り付け</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>直前の操作を元に戻します
元に戻す</translation>
    </message>
    <message>
        <source>Redo the previously undone action
Redo</source>
        <translation>元に戻した操作をやり直します
やり直し</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>プログラムの情報、バージョン番号、著作権を表示します
バージョン情報</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents
Exit</source>
        <translation>アプリケーションを終了します。棋譜を保存するかどうか確認します
終了</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>この棋譜を開きます</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
</context>
<context>
    <name>EngineOptionsDialog</name>
    <message>
        <source>Browse...</source>
        <translation>参照...</translation>
    </message>
    <message>
        <source>Choose a File</source>
        <translation>ファイルを選択</translation>
    </message>
    <message>
        <source>Options of %1</source>
        <translation>%1 のオプション</translation>
    </message>
    <message>
        <source>Pressed each time the engine starts</source>
        <translation>エンジンを起動するたびに押されます</translation>
    </message>
</context>
<context>
    <name>EnginesDialog</name>
    <message>
        <source>Engines</source>
        <translation>エンジンの設定</translation>
    </message>
    <message>
        <source>Add Engine</source>
        <translation>エンジンを追加</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>追加(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>削除(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Options...</source>
        <translation>オプション(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Use for Analysis</source>
        <translation>検討に使う(&amp;U)</translation>
    </message>
    <message>
        <source>%1</source>
        <comment>an engine&apos;s failure</comment>
        <translation>エンジンのエラー: %1</translation>
    </message>
    <message>
        <source>Starting %1...</source>
        <translation>%1 を起動しています...</translation>
    </message>
    <message>
        <source>%1 is set up already.</source>
        <translation>%1 はすでに設定されています。</translation>
    </message>
</context>
<context>
    <name>FileDialogFilters</name>
    <message>
        <source>%1 Files</source>
        <translation>%1 ファイル</translation>
    </message>
    <message>
        <source>%1 Files, %2</source>
        <translation>%1 ファイル、%2</translation>
    </message>
    <message>
        <source>%1 Files (%2)</source>
        <translation>%1 ファイル (%2)</translation>
    </message>
    <message>
        <source>Game Records (%1)</source>
        <translation>棋譜ファイル (%1)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
</context>
<context>
    <name>GameWords</name>
    <message>
        <source>pawn lance knight silver gold bishop rook king</source>
        <extracomment>The kinds of piece, in this order, separated by spaces.</extracomment>
        <translation>歩 香 桂 銀 金 角 飛 玉</translation>
    </message>
    <message>
        <source>1 2 3 4 5 6 7 8 9</source>
        <extracomment>The files from 1 to 9, separated by spaces.</extracomment>
        <translation>１ ２ ３ ４ ５ ６ ７ ８ ９</translation>
    </message>
    <message>
        <source>a b c d e f g h i</source>
        <extracomment>The ranks from the top (a) to the bottom (i), separated by spaces.</extracomment>
        <translation>一 二 三 四 五 六 七 八 九</translation>
    </message>
    <message>
        <source>two three four five six seven eight nine</source>
        <extracomment>The counts two to nine, separated by spaces.</extracomment>
        <translation>二 三 四 五 六 七 八 九</translation>
    </message>
    <message>
        <source>%1%2</source>
        <comment>a square: file, then rank</comment>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>Resigns</source>
        <translation>投了</translation>
    </message>
    <message>
        <source>%1 resigns</source>
        <translation>%1の投了</translation>
    </message>
    <message>
        <source>Interrupted</source>
        <translation>中断</translation>
    </message>
    <message>
        <source>Repetition</source>
        <translation>千日手</translation>
    </message>
    <message>
        <source>Impasse</source>
        <translation>持将棋</translation>
    </message>
    <message>
        <source>Time-out</source>
        <translation>切れ負け</translation>
    </message>
    <message>
        <source>%1 loses on time</source>
        <translation>%1の時間切れ負け</translation>
    </message>
    <message>
        <source>Illegal move</source>
        <translation>反則勝ち</translation>
    </message>
    <message>
        <source>%1 wins: illegal move</source>
        <translation>%1の反則勝ち</translation>
    </message>
    <message>
        <source>Foul</source>
        <translation>反則負け</translation>
    </message>
    <message>
        <source>%1 loses by a foul</source>
        <translation>%1の反則負け</translation>
    </message>
    <message>
        <source>Declaration</source>
        <translation>入玉宣言</translation>
    </message>
    <message>
        <source>%1 declares a win</source>
        <translation>%1の入玉宣言勝ち</translation>
    </message>
    <message>
        <source>Mate</source>
        <translation>詰み</translation>
    </message>
    <message>
        <source>%1 is mated</source>
        <translation>%1玉は詰み</translation>
    </message>
    <message>
        <source>No mate</source>
        <translation>不詰</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>引き分け</translation>
    </message>
    <message>
        <source>Move limit</source>
        <translation>手数制限</translation>
    </message>
    <message>
        <source>Move limit reached</source>
        <translation>手数制限に達しました</translation>
    </message>
    <message>
        <source>Sealed move</source>
        <translation>封じ手</translation>
    </message>
    <message>
        <source>%1 seals the next move</source>
        <translation>%1の封じ手</translation>
    </message>
    <message>
        <source>White</source>
        <translation>後手</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>先手</translation>
    </message>
    <message>
        <source>White to move</source>
        <translation>後手番</translation>
    </message>
    <message>
        <source>Black to move</source>
        <translation>先手番</translation>
    </message>
    <message>
        <source>1 move</source>
        <translation>指し手 1 手</translation>
    </message>
    <message>
        <source>%1 moves</source>
        <translation>指し手 %1 手</translation>
    </message>
    <message>
        <source>1 variation</source>
        <translation>変化 1 件</translation>
    </message>
    <message>
        <source>%1 variations</source>
        <translation>変化 %1 件</translation>
    </message>
    <message>
        <source>1 comment</source>
        <translation>コメント 1 件</translation>
    </message>
    <message>
        <source>%1 comments</source>
        <translation>コメント %1 件</translation>
    </message>
    <message>
        <source>the result</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>%1 results</source>
        <translation>結果 %1 件</translation>
    </message>
    <message>
        <source>1 move time</source>
        <translation>消費時間 1 件</translation>
    </message>
    <message>
        <source>%1 move times</source>
        <translation>消費時間 %1 件</translation>
    </message>
    <message>
        <source>1 bookmark</source>
        <translation>しおり 1 件</translation>
    </message>
    <message>
        <source>%1 bookmarks</source>
        <translation>しおり %1 件</translation>
    </message>
    <message>
        <source>1 header line</source>
        <translation>ヘッダー 1 行</translation>
    </message>
    <message>
        <source>%1 header lines</source>
        <translation>ヘッダー %1 行</translation>
    </message>
    <message>
        <source>the start position</source>
        <translation>開始局面</translation>
    </message>
    <message>
        <source> and </source>
        <translation>、</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>the side to move is neither Black nor White</source>
        <translation>手番が先手でも後手でもありません</translation>
    </message>
    <message>
        <source>invalid piece code %1 at %2</source>
        <translation>%2に不正な駒コード %1 があります</translation>
    </message>
    <message>
        <source>%1 has %2 %3s in hand</source>
        <translation>%1の持駒の%3が%2枚になっています</translation>
    </message>
    <message>
        <source>%1 %2 kings</source>
        <translation>%2の玉が%1枚あります</translation>
    </message>
    <message>
        <source>%1 %2s</source>
        <translation>%2が%1枚あります</translation>
    </message>
    <message>
        <source>%1&apos;s %2 on %3 can never move</source>
        <translation>%1の%3の%2は行き所がありません</translation>
    </message>
    <message>
        <source>%1 %2 pawns on file %3</source>
        <translation>%2の歩が%3筋に%1枚あります（二歩）</translation>
    </message>
    <message>
        <source>%1&apos;s king on %2 is in check with %3 to move</source>
        <translation>%3の手番で%1の%2の玉に王手がかかっています</translation>
    </message>
</context>
<context>
    <name>MoveListModel</name>
    <message>
        <source>Move %1 of %2</source>
        <translation>%1 手目 / 全 %2 手</translation>
    </message>
    <message>
        <source>Move %1 of %2 in a variation</source>
        <translation>%1 手目 / 全 %2 手（変化）</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始局面</translation>
    </message>
</context>
<context>
    <name>PositionSetupCommands</name>
    <message>
        <source>No record can start from this position: %1</source>
        <translation>この局面から棋譜を始めることはできません: %1</translation>
    </message>
</context>
<context>
    <name>RecordCommand</name>
    <message>
        <source>Add Move</source>
        <translation>指し手の追加</translation>
    </message>
    <message>
        <source>Add Variation</source>
        <translation>変化の追加</translation>
    </message>
    <message>
        <source>Promote Variation</source>
        <translation>変化を本譜にする</translation>
    </message>
</context>
<context>
    <name>SetupBoard</name>
    <message>
        <source>Box</source>
        <translation>駒箱</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>Lance</source>
        <translation>香落ち</translation>
    </message>
    <message>
        <source>Right Lance</source>
        <translation>右香落ち</translation>
    </message>
    <message>
        <source>Bishop</source>
        <translation>角落ち</translation>
    </message>
    <message>
        <source>Rook</source>
        <translation>飛車落ち</translation>
    </message>
    <message>
        <source>Rook and Lance</source>
        <translation>飛香落ち</translation>
    </message>
    <message>
        <source>2 Pieces</source>
        <translation>二枚落ち</translation>
    </message>
    <message>
        <source>3 Pieces</source>
        <translation>三枚落ち</translation>
    </message>
    <message>
        <source>4 Pieces</source>
        <translation>四枚落ち</translation>
    </message>
    <message>
        <source>5 Pieces</source>
        <translation>五枚落ち</translation>
    </message>
    <message>
        <source>Left 5 Pieces</source>
        <translation>左五枚落ち</translation>
    </message>
    <message>
        <source>6 Pieces</source>
        <translation>六枚落ち</translation>
    </message>
    <message>
        <source>Left 7 Pieces</source>
        <translation>左七枚落ち</translation>
    </message>
    <message>
        <source>Right 7 Pieces</source>
        <translation>右七枚落ち</translation>
    </message>
    <message>
        <source>8 Pieces</source>
        <translation>八枚落ち</translation>
    </message>
    <message>
        <source>10 Pieces</source>
        <translation>十枚落ち</translation>
    </message>
    <message>
        <source>Set Up Position</source>
        <translation>局面の編集</translation>
    </message>
    <message>
        <source>Side to move</source>
        <translation>手番</translation>
    </message>
    <message>
        <source>&amp;Black</source>
        <translation>先手(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;White</source>
        <translation>後手(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Initial Position</source>
        <translation>平手の初期配置(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Empty Board</source>
        <translation>盤面を空にする(&amp;E)</translation>
    </message>
    <message>
        <source>Handicap...</source>
        <translation>手合割...</translation>
    </message>
    <message>
        <source>P&amp;roblem</source>
        <translation>詰将棋(&amp;R)</translation>
    </message>
    <message>
        <source>Paste &amp;SFEN</source>
        <translation>SFEN を貼り付け(&amp;S)</translation>
    </message>
    <message>
        <source>What is wrong with the position:</source>
        <translation>局面の問題点:</translation>
    </message>
    <message>
        <source>No record can start from this position.</source>
        <translation>この局面から棋譜を始めることはできません。</translation>
    </message>
    <message>
        <source>The clipboard holds no position.</source>
        <translation>クリップボードに局面がありません。</translation>
    </message>
    <message>
        <source>The clipboard&apos;s position cannot be read: %1</source>
        <translation>クリップボードの局面を読み込めません: %1</translation>
    </message>
    <message>
        <source>The clipboard&apos;s position holds more than one set of pieces: %1</source>
        <translation>クリップボードの局面には一組を超える駒があります: %1</translation>
    </message>
</context>
</TS>
