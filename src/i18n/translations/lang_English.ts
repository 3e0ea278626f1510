<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>DialogAddResource</name>
    <message>
        <source>添加资源</source>
        <translation>Add Resource File</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>资源名称：</source>
        <translation>Resource Name:</translation>
    </message>
    <message>
        <source>资源路径：</source>
        <translation>Resource Path:</translation>
    </message>
    <message>
        <source>用户名：</source>
        <translation>User Name:</translation>
    </message>
    <message>
        <source>密码：</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>客户端不能添加exe文件</source>
        <translation>The exe. file is not allowed</translation>
    </message>
    <message>
        <source>Office文档请添加到Office类别！</source>
        <translation>Please add the document to the office category!</translation>
    </message>
    <message>
        <source>图片文件(*.bmp *.jpg *.png)</source>
        <translation>Picture (*.bmp *.jpg *.png)</translation>
    </message>
    <message>
        <source>请选择图片文件</source>
        <translation>Select a picture file</translation>
    </message>
    <message>
        <source>视频文件(*.mkv *.mp4 *.wmv *.avi)</source>
        <translation>Video Files (*.mkv *.mp4 *.wmv *.avi)</translation>
    </message>
    <message>
        <source>请选择视频文件</source>
        <translation>Select a video file</translation>
    </message>
    <message>
        <source>Office文件(*.doc *.docx *.ppt *.pptx *.xls *.xlsx *.xlsm *.xltm)</source>
        <translation>Office Files (*.doc *.docx *.ppt *.pptx *.xls *.xlsx *.xlsm *.xltm)</translation>
    </message>
    <message>
        <source>请选择Office文件</source>
        <translation>Select an office file</translation>
    </message>
    <message>
        <source>所有文件(*.*)</source>
        <translation>All Files (*.*)</translation>
    </message>
    <message>
        <source>请选择其他文件</source>
        <translation>Please select another file</translation>
    </message>
    <message>
        <source>音乐文件(*.mp3 *.wav *.wmv *.ogg *.m4a *.aac)</source>
        <translation>Audio File (*.mp3 *.wav *.wmv *.ogg *.m4a *.aac)</translation>
    </message>
    <message>
        <source>请选择音乐文件</source>
        <translation>Select audio files</translation>
    </message>
</context>
<context>
    <name>DialogConnect</name>
    <message>
        <source>拼接处理器</source>
        <translation>Videowall Controller</translation>
    </message>
    <message>
        <source>解码矩阵</source>
        <translation>Decoder Matrix</translation>
    </message>
    <message>
        <source>媒体展示系统</source>
        <translation>Media Display System</translation>
    </message>
    <message>
        <source>嵌入式媒体展示系统</source>
        <translation>Android Server</translation>
    </message>
    <message>
        <source>无缝矩阵</source>
        <translation>Seamless matrix</translation>
    </message>
    <message>
        <source>主机IP地址：</source>
        <translation>IP Address:</translation>
    </message>
    <message>
        <source>端口号：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>主机名称：</source>
        <translation>Device Name:</translation>
    </message>
    <message>
        <source>设备类型：</source>
        <translation>Device:</translation>
    </message>
    <message>
        <source>用户名：</source>
        <translation>User Name:</translation>
    </message>
    <message>
        <source>密码：</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>连接主机</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>自动登录</source>
        <translation>Auto Login</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Ok</translation>
    </message>
</context>
<context>
    <name>DialogCustom</name>
    <message>
        <source>自定义显示分辨率</source>
        <translation>Custom resolution</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>点击第一行的数字选中一列，可以调整该列的显示宽度；</source>
        <translation>Click the number in the first row to select a column, you can adjust the display width;</translation>
    </message>
    <message>
        <source>点击左边的数字选中一行，可以调整改行的显示高度。</source>
        <translation>Click the number on the left to select a row, you can adjust the display height.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source> 列</source>
        <translation> Column</translation>
    </message>
    <message>
        <source> 行</source>
        <translation> Row</translation>
    </message>
    <message>
        <source>宽度：</source>
        <translation>Width: </translation>
    </message>
    <message>
        <source>高度：</source>
        <translation>Height: </translation>
    </message>
    <message>
        <source>最后一列的宽度由其他各列决定</source>
        <translation>The width of the last column follows from the other columns</translation>
    </message>
    <message>
        <source>最后一行的高度由其他各行决定</source>
        <translation>The height of the last row follows from the other rows</translation>
    </message>
    <message>
        <source>设置值超过范围！</source>
        <translation>The value can not beyond the range!</translation>
    </message>
</context>
<context>
    <name>DialogInput</name>
    <message>
        <source>输入</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Ok</translation>
    </message>
</context>
<context>
    <name>DialogMCScrSetting</name>
    <message>
        <source>列宽的个数（%1）与水平分割数量（%2）不一致！</source>
        <translation>The number of column widths (%1) does not match the split columns (%2)!</translation>
    </message>
    <message>
        <source>行高的个数（%1）与纵向分割数量（%2）不一致！</source>
        <translation>The number of row heights (%1) does not match the split rows (%2)!</translation>
    </message>
    <message>
        <source>每列宽度至少为 %1 像素！</source>
        <translation>Every column must be at least %1 pixels wide!</translation>
    </message>
    <message>
        <source>每行高度至少为 %1 像素！</source>
        <translation>Every row must be at least %1 pixels high!</translation>
    </message>
    <message>
        <source>各列宽度之和（%1）与水平像素（%2）不一致！</source>
        <translation>The column widths add up to %1, not to the horizontal pixels (%2)!</translation>
    </message>
    <message>
        <source>各行高度之和（%1）与纵向像素（%2）不一致！</source>
        <translation>The row heights add up to %1, not to the vertical pixels (%2)!</translation>
    </message>
    <message>
        <source>屏幕设置</source>
        <translation>Videowall</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>屏幕序号：</source>
        <translation>Wall Number:</translation>
    </message>
    <message>
        <source>水平像素：</source>
        <translation>Horizontal pixels:</translation>
    </message>
    <message>
        <source>纵向像素：</source>
        <translation>Vertical pixels:</translation>
    </message>
    <message>
        <source>水平分割数量：</source>
        <translation>Split columns:</translation>
    </message>
    <message>
        <source>纵向分割数量：</source>
        <translation>Split rows:</translation>
    </message>
    <message>
        <source>自定义宽高</source>
        <translation>Customize:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>水平分割数量应为 1 到 %1 之间的整数！</source>
        <translation>Split columns must be a whole number from 1 to %1!</translation>
    </message>
    <message>
        <source>纵向分割数量应为 1 到 %1 之间的整数！</source>
        <translation>Split rows must be a whole number from 1 to %1!</translation>
    </message>
    <message>
        <source>屏幕名称不能为空！</source>
        <translation>The wall name can not be blank!</translation>
    </message>
</context>
<context>
    <name>DialogModify</name>
    <message>
        <source>修改密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>CLose</translation>
    </message>
    <message>
        <source>输入旧密码：</source>
        <translation>Old:</translation>
    </message>
    <message>
        <source>输入新密码：</source>
        <translation>New:</translation>
    </message>
    <message>
        <source>再输入新密码：</source>
        <translation>Confirm:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DialogRemoteMouseCtrl</name>
    <message>
        <source>您已进入大屏控制模式，
按Esc键退出。</source>
        <translation>You have entered control mode,
Press ESC to exit.</translation>
    </message>
</context>
<context>
    <name>DialogSelectLocalIp</name>
    <message>
        <source>选择本地IP地址</source>
        <translation>Select local IP</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>查找到本机有多个网卡，
请选择您要使用的Ip地址：</source>
        <translation>Several IP addresses are detected on this computer. Please select one you want to use:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Ok</translation>
    </message>
</context>
<context>
    <name>DialogUserManager</name>
    <message>
        <source>用户管理</source>
        <translation>User</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>用户名：</source>
        <translation>User Name:</translation>
    </message>
    <message>
        <source>角色：</source>
        <translation>Role:</translation>
    </message>
    <message>
        <source>密码：</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>确认密码：</source>
        <translation>Confirm:</translation>
    </message>
    <message>
        <source>删除用户</source>
        <translation>Delete User</translation>
    </message>
    <message>
        <source>添加新用户</source>
        <translation>Add User</translation>
    </message>
    <message>
        <source>添加用户成功！</source>
        <translation>User added successfully!</translation>
    </message>
    <message>
        <source>添加用户失败！错误原因：</source>
        <translation>FAILED TO ADD USER! CAUSE OF ERROR: </translation>
    </message>
    <message>
        <source>删除用户成功！</source>
        <translation>User deleted successfully!</translation>
    </message>
    <message>
        <source>删除用户失败！错误原因：</source>
        <translation>FAILED TO DELETE USER! CAUSE OF ERROR: </translation>
    </message>
    <message>
        <source>管理员</source>
        <translation>Administrator</translation>
    </message>
    <message>
        <source>操作员</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Web操作员</source>
        <translation>Web Operator</translation>
    </message>
    <message>
        <source>两次输入的密码不一致。</source>
        <translation>The two entered passwords do not match.</translation>
    </message>
    <message>
        <source>密码不能为空。</source>
        <translation>The password can not be blank.</translation>
    </message>
    <message>
        <source>用户名不能为空。</source>
        <translation>User Name can not be blank.</translation>
    </message>
</context>
<context>
    <name>FormAutoSwitch</name>
    <message>
        <source>场景名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>播放时长(分钟)</source>
        <translation>Time (S)</translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> Seconds </translation>
    </message>
    <message>
        <source>快速轮巡</source>
        <translation>Presets Switching</translation>
    </message>
    <message>
        <source>轮巡间隔：</source>
        <translation>Intervals: </translation>
    </message>
    <message>
        <source>停止轮巡</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>开始轮巡</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>启动轮巡</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>正在执行每日计划，请先停止。</source>
        <translation>Auto switching is ON. Please stop it first.</translation>
    </message>
    <message>
        <source>请先在左侧列表中选择您要移动的场景。</source>
        <translation>Please select the preset you want to move from the list.</translation>
    </message>
</context>
<context>
    <name>FormCaption</name>
    <message>
        <source>在此输入字幕内容</source>
        <translation>Enter the caption text here</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>字号</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>滚动速度</source>
        <translation>Scrolling Speed</translation>
    </message>
    <message>
        <source>文字颜色</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>背景颜色</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>背景透明度</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>选择</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>透明色</source>
        <translation>Transparent</translation>
    </message>
    <message>
        <source>不滚动</source>
        <translation>No Scroll</translation>
    </message>
</context>
<context>
    <name>MainWindow2</name>
    <message>
        <source>您不是管理员，不能使用该功能！</source>
        <translation>You are not an administrator and can not use this feature!</translation>
    </message>
    <message>
        <source>错误原因: &lt;b&gt;两次输入的新密码不一致&lt;/b&gt;</source>
        <translation>Error: &lt;B&gt;The new passwords entered twice do not match &lt;/B&gt;;</translation>
    </message>
    <message>
        <source>修改密码成功！</source>
        <translation>Password changed!</translation>
    </message>
    <message>
        <source>操作失败！错误原因：网络超时。</source>
        <translation>Operation Failed! Error: Network timeout.</translation>
    </message>
    <message>
        <source>登录失败！错误原因：主机返回的会话标识无效。</source>
        <translation>Login Failed! Error: The controller sent an invalid session id.</translation>
    </message>
    <message>
        <source>网络超时。</source>
        <translation>Network timeout.</translation>
    </message>
    <message>
        <source>屏幕设置</source>
        <translation>Videowall</translation>
    </message>
    <message>
        <source>用户管理</source>
        <translation>User</translation>
    </message>
    <message>
        <source>修改密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>多媒体拼控管理平台</source>
        <translation>Multimedia Wall Control Platform</translation>
    </message>
    <message>
        <source> 连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>关闭窗口</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>   视频</source>
        <translation>   Video Collection</translation>
    </message>
    <message>
        <source>   场景</source>
        <translation>   Preset</translation>
    </message>
    <message>
        <source>   图片</source>
        <translation>   Picture Collection</translation>
    </message>
    <message>
        <source>   Office</source>
        <translation>   Office Documents</translation>
    </message>
    <message>
        <source>   网页</source>
        <translation>   Web Page</translation>
    </message>
    <message>
        <source>  网络视频</source>
        <translation>   Net Video</translation>
    </message>
    <message>
        <source>   USB视频</source>
        <translation>   USB Video</translation>
    </message>
    <message>
        <source>   其他文档和应用</source>
        <translation>   Other Doc&amp;&amp;App</translation>
    </message>
    <message>
        <source>   字幕和背景</source>
        <translation>   Caption</translation>
    </message>
    <message>
        <source>   背景音乐</source>
        <translation>   Background Audio</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>全不选</source>
        <translation>Select none</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>屏幕回显</source>
        <translation>Screen echo</translation>
    </message>
    <message>
        <source>大屏鼠标键盘控制</source>
        <translation>Remote mouse and keyboard</translation>
    </message>
    <message>
        <source>清除屏幕上的所有窗口</source>
        <translation>Clear all windows</translation>
    </message>
    <message>
        <source>将选中的窗口置于最底层</source>
        <translation>Places the selected window to bottom</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>独立屏幕</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>拼接屏一</source>
        <translation>Wall #1</translation>
    </message>
    <message>
        <source>拼接屏二</source>
        <translation>Wall #2</translation>
    </message>
    <message>
        <source>拼接屏三</source>
        <translation>Wall #3</translation>
    </message>
    <message>
        <source>拼接屏四</source>
        <translation>Wall #4</translation>
    </message>
    <message>
        <source>媒体控制</source>
        <translation>Media Control</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Page up</translation>
    </message>
    <message>
        <source>上一个</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>播放/暂停</source>
        <translation>Play/Pause</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Page down</translation>
    </message>
    <message>
        <source>全屏</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>还原</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>00:00:00/00:00:00</source>
        <translation>00:00:00/00:00:00</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>背景音乐控制</source>
        <translation>BGM Control</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>创建目录失败！</source>
        <translation>Failed to create directory!</translation>
    </message>
    <message>
        <source>切换间隔 </source>
        <translation>Intervals </translation>
    </message>
    <message>
        <source> 秒</source>
        <translation> Seconds </translation>
    </message>
    <message>
        <source>加载语言包失败！</source>
        <translation>FAILED TO LOAD LANGUAGE PACK!</translation>
    </message>
    <message>
        <source>文件上传失败！</source>
        <translation>File upload failed!</translation>
    </message>
    <message>
        <source>资源添加成功！</source>
        <translation>Resource added successfully!</translation>
    </message>
    <message>
        <source>连接新主机</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>断开连接</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>操作失败！错误原因：</source>
        <translation>Operation Failed! ERROR: </translation>
    </message>
    <message>
        <source>错误原因: </source>
        <translation>Error: </translation>
    </message>
    <message>
        <source>请至少选择一个场景（勾选复选框）！</source>
        <translation>Please select at least one preset (check the box)!</translation>
    </message>
    <message>
        <source>请输入要保存的场景名称</source>
        <translation>Please enter the name</translation>
    </message>
    <message>
        <source>场景名称不能包含“/”、“\”或“:”，也不能只由“.”组成，请换一个名称。</source>
        <translation>A scene name can not contain “/”, “\” or “:”, nor consist of “.” only. Please choose another name.</translation>
    </message>
    <message>
        <source>已经有名称为&lt;</source>
        <translation>A scene named &lt;</translation>
    </message>
    <message>
        <source>&gt;的场景存在，是否替换？</source>
        <translation>&gt; already exists. Replace it?</translation>
    </message>
    <message>
        <source>服务器CPU占用太高，请关闭不需要的窗口！</source>
        <translation>Server CPU usage is too high, please close unnecessary windows!</translation>
    </message>
    <message>
        <source>Office文档只能开一个窗口！</source>
        <translation>Only one window can be opened for office documents!</translation>
    </message>
</context>
<context>
    <name>frmMessageBox</name>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>确定要删除吗?</source>
        <translation>Sure to remove?</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>询问</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Failed</translation>
    </message>
</context>
</TS>
