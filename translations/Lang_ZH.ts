<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CheckQURLItem</name>
    <message>
        <source>The video is part of the playlist. Do you want to download the clip only or download all palylist?</source>
        <translation>该视频属于一个播放列表。您要只下载这个视频，还是下载整个播放列表？</translation>
    </message>
    <message>
        <source>Download Clip</source>
        <translation>只下载此视频</translation>
    </message>
    <message>
        <source>Download Playlist</source>
        <translation>下载整个列表</translation>
    </message>
</context>
<context>
    <name>DaVaVudIredaz</name>
    <message>
        <source>Clipwright</source>
        <translation>Clipwright</translation>
    </message>
    <message>
        <source>Ver: </source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>技术支持</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>官方主页</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>偏好设置</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>DoRaDuvoZezavi</name>
    <message>
        <source>Loading..</source>
        <translation>正在加载..</translation>
    </message>
    <message>
        <source>Clipwright</source>
        <translation>Clipwright</translation>
    </message>
</context>
<context>
    <name>LoadingWidget</name>
    <message>
        <source>Loading...</source>
        <translation>正在加载...</translation>
    </message>
</context>
<context>
    <name>MyMessageDialog</name>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
</context>
<context>
    <name>SQualityItem</name>
    <message>
        <source>Audio Only</source>
        <translation>仅音频</translation>
    </message>
</context>
<context>
    <name>SelectQualityWidget</name>
    <message>
        <source>Choose Quality:</source>
        <translation>选择画质：</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Download Subtitles</source>
        <translation>下载字幕</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>auto-generated</source>
        <translation>自动生成</translation>
    </message>
</context>
<context>
    <name>HDquality</name>
    <message>
        <source>Audio Only</source>
        <translation>仅音频</translation>
    </message>
</context>
<context>
    <name>SelectChannel2Widget</name>
    <message>
        <source>Choose Videos:</source>
        <translation>选择视频：</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>下载</translation>
    </message>
    <message>
        <source>Export links to TXT file.</source>
        <translation>导出链接到 TXT 文件</translation>
    </message>
    <message>
        <source>Download Subtitles</source>
        <translation>下载字幕</translation>
    </message>
    <message>
        <source>Choose Quality:</source>
        <translation>选择画质：</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>播放列表</translation>
    </message>
    <message>
        <source> Videos</source>
        <translation> 个视频</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>保存文件</translation>
    </message>
</context>
<context>
    <name>ToolKitManagerWidget</name>
    <message>
        <source>Video Cutter</source>
        <translation>视频剪切</translation>
    </message>
    <message>
        <source>Video Joiner</source>
        <translation>视频合并</translation>
    </message>
    <message>
        <source>Video Spliter</source>
        <translation>视频分割</translation>
    </message>
    <message>
        <source>Video Rotater</source>
        <translation>视频旋转</translation>
    </message>
    <message>
        <source>Video Add Audio</source>
        <translation>添加音频</translation>
    </message>
    <message>
        <source>Format Converter</source>
        <translation>格式转换</translation>
    </message>
    <message>
        <source>Video Downloader</source>
        <translation>视频下载</translation>
    </message>
    <message>
        <source>Cut a video from the input video.</source>
        <translation>从视频中剪切出一段。</translation>
    </message>
    <message>
        <source>Connect multiple videos into one video.</source>
        <translation>将多个视频合并成一个视频。</translation>
    </message>
    <message>
        <source>Divide the video into multiple segments.</source>
        <translation>将视频分割成多个片段。</translation>
    </message>
    <message>
        <source>Rotate the angle of the video.</source>
        <translation>旋转视频的角度。</translation>
    </message>
    <message>
        <source>Add audio to the video files.</source>
        <translation>为视频文件添加音频。</translation>
    </message>
    <message>
        <source>Converting the format of video files.</source>
        <translation>转换视频文件的格式。</translation>
    </message>
    <message>
        <source>Download videos from multiple online video sites.</source>
        <translation>从多个在线视频网站下载视频。</translation>
    </message>
</context>
<context>
    <name>VideoAddAudioWidget</name>
    <message>
        <source>Step1:</source>
        <translation>第一步：</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the video file that need to add audio.</source>
        <translation>点击下方的“+”按钮，选择需要添加音频的视频文件。</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>第二步：</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the audio file.</source>
        <translation>点击下方的“+”按钮，选择音频文件。</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>第三步：</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>点击下方的“开始”按钮，开始转换。</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>正在加载...</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>正在转换...</translation>
    </message>
    <message>
        <source>Adding audio completed.</source>
        <translation>音频添加完成。</translation>
    </message>
    <message>
        <source>Adding audio failed.</source>
        <translation>音频添加失败。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>VideoConverterWidget</name>
    <message>
        <source>Step1:</source>
        <translation>第一步：</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be converted.</source>
        <translation>点击下方的“+”按钮，选择需要转换的文件。</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>第二步：</translation>
    </message>
    <message>
        <source>Select the target format that need to be converted.</source>
        <translation>选择需要转换成的目标格式。</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>第三步：</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>点击下方的“开始”按钮，开始转换。</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Select files to the conversion</source>
        <translation>选择要转换的文件</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Conversion completed.</source>
        <translation>转换完成。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>转换中</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>正在转换...</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>已转换</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>转换失败。</translation>
    </message>
    <message>
        <source>Conversion failed for %1 of %2 files.</source>
        <translation>%2 个文件中有 %1 个转换失败。</translation>
    </message>
</context>
<context>
    <name>VideoCutterWidget</name>
    <message>
        <source>Step1:</source>
        <translation>第一步：</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be cut.</source>
        <translation>点击下方的“+”按钮，选择需要剪切的文件。</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>第二步：</translation>
    </message>
    <message>
        <source>Enter start time and duration seconds.</source>
        <translation>输入开始时间和剪切时长（秒）。</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>第三步：</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>点击下方的“开始”按钮，开始转换。</translation>
    </message>
    <message>
        <source>Start time:</source>
        <translation>开始时间：</translation>
    </message>
    <message>
        <source>Cut duration:</source>
        <translation>剪切时长：</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>The current video duration is: </source>
        <translation>当前视频时长：</translation>
    </message>
    <message>
        <source>The  &quot;Start time&quot;  value ranges from 0 to </source>
        <translation>“开始时间”的取值范围为 0 到 </translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> 秒</translation>
    </message>
    <message>
        <source>and the  &quot;Cut duration&quot;  value ranges from 2 to </source>
        <translation>并且“剪切时长”的取值范围为 2 到 </translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>正在加载...</translation>
    </message>
    <message>
        <source>Read file failed, Please try again.</source>
        <translation>读取文件失败，请重试。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cut completed.</source>
        <translation>剪切完成。</translation>
    </message>
    <message>
        <source>Cut failed.</source>
        <translation>剪切失败。</translation>
    </message>
</context>
<context>
    <name>VideoJionerWidget</name>
    <message>
        <source>Step1:</source>
        <translation>第一步：</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be jion.</source>
        <translation>点击下方的“+”按钮，选择需要合并的文件。</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>第二步：</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>点击下方的“开始”按钮，开始转换。</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Select files to the conversion</source>
        <translation>选择要转换的文件</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>正在转换...</translation>
    </message>
    <message>
        <source>Conversion completed.</source>
        <translation>转换完成。</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>转换失败。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>VideoRotateWidget</name>
    <message>
        <source>Step1:</source>
        <translation>第一步：</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be rotate.</source>
        <translation>点击下方的“+”按钮，选择需要旋转的文件。</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>第二步：</translation>
    </message>
    <message>
        <source>Select the angle of rotation.</source>
        <translation>选择旋转的角度。</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>第三步：</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>点击下方的“开始”按钮，开始转换。</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Select files to the conversion</source>
        <translation>选择要转换的文件</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>Conversion completed.</source>
        <translation>转换完成。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>转换中</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>正在转换...</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>已转换</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>转换失败。</translation>
    </message>
    <message>
        <source>Conversion failed for %1 of %2 files.</source>
        <translation>%2 个文件中有 %1 个转换失败。</translation>
    </message>
</context>
<context>
    <name>VideoSpliterWidget</name>
    <message>
        <source>Step1:</source>
        <translation>第一步：</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be splite.</source>
        <translation>点击下方的“+”按钮，选择需要分割的文件。</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>第二步：</translation>
    </message>
    <message>
        <source>Enter the number of segments separated.</source>
        <translation>输入要分割的段数。</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>第三步：</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>点击下方的“开始”按钮，开始转换。</translation>
    </message>
    <message>
        <source>Split Count:</source>
        <translation>分割段数：</translation>
    </message>
    <message>
        <source>Split Duration:</source>
        <translation>分割时长：</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <source>Divide the video into segments, Please enter a number greater than 0.</source>
        <translation>将视频分割成多段，请输入一个大于 0 的数字。</translation>
    </message>
    <message>
        <source> The current video duration is: </source>
        <translation>当前视频时长：</translation>
    </message>
    <message>
        <source> , The each segment video will be divided into :</source>
        <translation>，每段视频的时长为：</translation>
    </message>
    <message>
        <source>Segmentation by length of time, Enter seconds of a segments. </source>
        <translation>按时长分割，请输入每段的秒数。</translation>
    </message>
    <message>
        <source>The current video duration is: </source>
        <translation>当前视频时长：</translation>
    </message>
    <message>
        <source> , It will split to </source>
        <translation>，将分割为 </translation>
    </message>
    <message>
        <source> files.</source>
        <translation> 个文件。</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>打开文件</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>正在加载...</translation>
    </message>
    <message>
        <source>Splite completed.</source>
        <translation>分割完成。</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Read file failed, Please try again.</source>
        <translation>读取文件失败，请重试。</translation>
    </message>
    <message>
        <source>Splitting failed.</source>
        <translation>分割失败。</translation>
    </message>
    <message>
        <source>Splitting failed for %1 of %2 pieces.</source>
        <translation>%2 个片段中有 %1 个分割失败。</translation>
    </message>
</context>
<context>
    <name>SettingWidget</name>
    <message>
        <source>Preferences</source>
        <translation>偏好设置</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>常规</translation>
    </message>
    <message>
        <source>Proxy</source>
        <translation>代理</translation>
    </message>
    <message>
        <source>Auto Download</source>
        <translation>自动下载</translation>
    </message>
    <message>
        <source>Download Cache</source>
        <translation>下载缓存</translation>
    </message>
    <message>
        <source>Downloader</source>
        <translation>下载器</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
</context>
<context>
    <name>NormalSetWidget</name>
    <message>
        <source>All the finished:</source>
        <translation>全部完成后：</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无操作</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>重启电脑</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>关闭电脑</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>保存到：</translation>
    </message>
    <message>
        <source>Auto check new version.</source>
        <translation>自动检查新版本。</translation>
    </message>
    <message>
        <source>Download video format convert to MP4.</source>
        <translation>下载的视频转换为 MP4 格式。</translation>
    </message>
    <message>
        <source>Download audio format convert to MP3.</source>
        <translation>下载的音频转换为 MP3 格式。</translation>
    </message>
    <message>
        <source>Optimizing Audio Dryness.</source>
        <translation>优化音频干声。</translation>
    </message>
    <message>
        <source>Re-download the failed item after 1 minutes</source>
        <translation>下载失败的项目 1 分钟后重新下载</translation>
    </message>
    <message>
        <source>Simultaneously download links:</source>
        <translation>同时下载的链接数：</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>语言：</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>Select Download Directory</source>
        <translation>选择下载目录</translation>
    </message>
</context>
<context>
    <name>ConnectWidget</name>
    <message>
        <source>Enabled proxy.</source>
        <translation>启用代理。</translation>
    </message>
    <message>
        <source>Use a proxy server for this connection (These settings will not apply to other connections.)</source>
        <translation>为此连接使用代理服务器（这些设置不会应用于其他连接）</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>服务器</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
</context>
<context>
    <name>AutoDownloadWidget</name>
    <message>
        <source>Enabled auto download.</source>
        <translation>启用自动下载。</translation>
    </message>
    <message>
        <source>Download subtitles.</source>
        <translation>下载字幕。</translation>
    </message>
    <message>
        <source>Quality of priority selection:</source>
        <translation>优先选择的画质：</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英语</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
</context>
<context>
    <name>DCacheFolderWidget</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>The download cache cannot be moved to this folder. Please choose a folder you can write to.</source>
        <translation>无法将下载缓存移到此文件夹，请选择一个可以写入的文件夹。</translation>
    </message>
    <message>
        <source>Download Cache Directory:</source>
        <translation>下载缓存目录：</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>更改</translation>
    </message>
    <message>
        <source>Clean Cache</source>
        <translation>清理缓存</translation>
    </message>
    <message>
        <source>Note: 
It can change the download cache directory or empty the download cache directory only when no tasks are being download, Otherwise it may lead to unintended consequences.</source>
        <translation>注意：
只有在没有任务正在下载时，才能更改或清空下载缓存目录，否则可能导致意想不到的后果。</translation>
    </message>
    <message>
        <source>Select Download Cache Directory</source>
        <translation>选择下载缓存目录</translation>
    </message>
</context>
<context>
    <name>DownloaderSetWidget</name>
    <message>
        <source>Downloader (yt-dlp):</source>
        <translation>下载器 (yt-dlp)：</translation>
    </message>
    <message>
        <source>JavaScript runtime:</source>
        <translation>JavaScript 运行时：</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>检查更新</translation>
    </message>
    <message>
        <source>Roll back</source>
        <translation>回滚</translation>
    </message>
    <message>
        <source>Keep the downloader up to date automatically</source>
        <translation>自动保持下载器为最新版本</translation>
    </message>
    <message>
        <source>A new version is used only after its checksum and yt-dlp&apos;s signature are verified and it has started once; the previous version is kept for a roll-back. The downloader is kept in:</source>
        <translation>新版本须通过校验和与 yt-dlp 签名验证并成功启动一次后才会启用；上一个版本会保留以便回滚。下载器保存在：</translation>
    </message>
    <message>
        <source>%1, installed by Clipwright</source>
        <translation>%1，由 Clipwright 安装</translation>
    </message>
    <message>
        <source>%1, found at %2</source>
        <translation>%1，位于 %2</translation>
    </message>
    <message>
        <source>Not installed</source>
        <translation>未安装</translation>
    </message>
    <message>
        <source>%1; previous %2</source>
        <translation>%1；上一版本 %2</translation>
    </message>
    <message>
        <source>deno %1, installed by Clipwright</source>
        <translation>deno %1，由 Clipwright 安装</translation>
    </message>
    <message>
        <source>node, found on this computer</source>
        <translation>node，本机已安装</translation>
    </message>
    <message>
        <source>None</source>
        <translation>无</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>正在检查更新...</translation>
    </message>
    <message>
        <source>Downloading %1: %2 of %3</source>
        <translation>正在下载 %1：%2 / %3</translation>
    </message>
    <message>
        <source>Downloading %1: %2</source>
        <translation>正在下载 %1：%2</translation>
    </message>
    <message>
        <source>%1: back to %2</source>
        <translation>%1：已回滚到 %2</translation>
    </message>
    <message>
        <source>%1: no previous version to go back to</source>
        <translation>%1：没有可回滚的上一版本</translation>
    </message>
    <message>
        <source>%1: %2 is the latest version</source>
        <translation>%1：%2 已是最新版本</translation>
    </message>
    <message>
        <source>%1: %2 stays, since %3 was rolled back</source>
        <translation>%1：%3 已被回滚，继续使用 %2</translation>
    </message>
    <message>
        <source>%1: %2 installed</source>
        <translation>%1：已安装 %2</translation>
    </message>
    <message>
        <source>%1: updated from %2 to %3</source>
        <translation>%1：已从 %2 更新到 %3</translation>
    </message>
    <message>
        <source>the release could not be read</source>
        <translation>无法读取发布信息</translation>
    </message>
    <message>
        <source>the download failed</source>
        <translation>下载失败</translation>
    </message>
    <message>
        <source>the checksum did not match</source>
        <translation>校验和不匹配</translation>
    </message>
    <message>
        <source>the signature is missing or wrong</source>
        <translation>签名缺失或无效</translation>
    </message>
    <message>
        <source>the archive could not be unpacked</source>
        <translation>无法解压文件</translation>
    </message>
    <message>
        <source>the new version did not start properly</source>
        <translation>新版本未能正常启动</translation>
    </message>
    <message>
        <source>it could not be installed</source>
        <translation>无法安装</translation>
    </message>
    <message>
        <source>nothing was installed</source>
        <translation>未安装任何版本</translation>
    </message>
    <message>
        <source>%1 stays in use</source>
        <translation>继续使用 %1</translation>
    </message>
    <message>
        <source>%1: not updated, %2; %3.</source>
        <translation>%1：未更新，%2；%3。</translation>
    </message>
</context>
<context>
    <name>SupportQWidget</name>
    <message>
        <source>If you have any questions for this software, Please contact to us!</source>
        <translation>如果您对本软件有任何疑问，请联系我们！</translation>
    </message>
    <message>
        <source>WeiXin: Scan Code</source>
        <translation>微信：扫码添加</translation>
    </message>
    <message>
        <source>WeiXin ID: </source>
        <translation>微信号：</translation>
    </message>
    <message>
        <source>Email: </source>
        <translation>邮箱：</translation>
    </message>
</context>
<context>
    <name>UpdateWidget</name>
    <message>
        <source>Could not check for a new version. Please check your network connection and try again.</source>
        <translation>检查新版本失败，请检查网络连接后重试。</translation>
    </message>
    <message>
        <source>Clipwright</source>
        <translation>Clipwright</translation>
    </message>
    <message>
        <source>Update Now</source>
        <translation>立即更新</translation>
    </message>
    <message>
        <source>Remind me Later</source>
        <translation>稍后提醒</translation>
    </message>
    <message>
        <source>The current version is the latest version</source>
        <translation>当前版本已是最新版本</translation>
    </message>
    <message>
        <source>A new version is available for </source>
        <translation>发现新版本：</translation>
    </message>
</context>
<context>
    <name>DLItemWidget</name>
    <message>
        <source> Automatically re-download after %1 minutes. </source>
        <translation> 将在 %1 分钟后自动重新下载。</translation>
    </message>
    <message>
        <source>Download Failed: %1.</source>
        <translation>下载失败：%1。</translation>
    </message>
    <message>
        <source>Analyzing Failed: %1.</source>
        <translation>解析失败：%1。</translation>
    </message>
    <message>
        <source>Not enough disk space in %1</source>
        <translation>磁盘空间不足：%1</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>分辨率：</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>时长：</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>格式：</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>大小：</translation>
    </message>
    <message>
        <source> Automatically re-download after </source>
        <translation> 将在 </translation>
    </message>
    <message>
        <source> seconds. </source>
        <translation> 秒后自动重新下载。</translation>
    </message>
    <message>
        <source> Remaining: </source>
        <translation> 剩余时间：</translation>
    </message>
    <message>
        <source>Analyzing Failed.</source>
        <translation>解析失败。</translation>
    </message>
    <message>
        <source>Analyzing...</source>
        <translation>正在解析...</translation>
    </message>
    <message>
        <source>Completed: </source>
        <translation>已完成：</translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation>复制链接</translation>
    </message>
    <message>
        <source>Download Failed.</source>
        <translation>下载失败。</translation>
    </message>
    <message>
        <source>Download success.</source>
        <translation>下载成功。</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>正在下载...</translation>
    </message>
    <message>
        <source>Pause All</source>
        <translation>全部暂停</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>Paused...</source>
        <translation>已暂停...</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>全部删除</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <source>Resume All</source>
        <translation>全部继续</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>继续</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>等待中...</translation>
    </message>
    <message>
        <source>Update the downloader</source>
        <translation>更新下载器</translation>
    </message>
</context>
<context>
    <name>DLListWidget</name>
    <message>
        <source>No item is downloading, Please paste a link to start downloading.</source>
        <translation>没有正在下载的项目，请粘贴链接开始下载。</translation>
    </message>
</context>
<context>
    <name>FinishedItemWidget</name>
    <message>
        <source>Duration:</source>
        <translation>时长：</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>格式：</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>大小：</translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation>复制链接</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>全部删除</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
</context>
<context>
    <name>FinishedListWidget</name>
    <message>
        <source>No item had downloaded, Please paste a link to start downloading.</source>
        <translation>还没有已下载的项目，请粘贴链接开始下载。</translation>
    </message>
</context>
<context>
    <name>DLManagerWidget</name>
    <message>
        <source>... and %1 more</source>
        <translation>……另有 %1 个</translation>
    </message>
    <message>
        <source>This link is already in the queue.</source>
        <translation>该链接已在下载队列中。</translation>
    </message>
    <message>
        <source>These links are already in the queue:</source>
        <translation>以下链接已在下载队列中：</translation>
    </message>
    <message>
        <source>Download them again?</source>
        <translation>要再次下载吗？</translation>
    </message>
    <message>
        <source>These videos were already downloaded:</source>
        <translation>以下视频已经下载过：</translation>
    </message>
    <message>
        <source>This video was already downloaded to %1. Download it again?</source>
        <translation>该视频已下载到 %1。要再次下载吗？</translation>
    </message>
    <message>
        <source>This video was already downloaded on %1 to %2. Download it again?</source>
        <translation>该视频已于 %1 下载到 %2。要再次下载吗？</translation>
    </message>
    <message>
        <source>1 Mbps</source>
        <translation>1 Mbps</translation>
    </message>
    <message>
        <source>2 Mbps</source>
        <translation>2 Mbps</translation>
    </message>
    <message>
        <source>4 Mbps</source>
        <translation>4 Mbps</translation>
    </message>
    <message>
        <source>8 Mbps</source>
        <translation>8 Mbps</translation>
    </message>
    <message>
        <source>Unlimited</source>
        <translation>不限速</translation>
    </message>
    <message>
        <source> Video(s)</source>
        <translation> 个视频</translation>
    </message>
    <message>
        <source> video(s) were failed to download last time. Restore download(s)?</source>
        <translation> 个视频上次未能下载完成。是否恢复下载？</translation>
    </message>
    <message>
        <source>+ Paste URL</source>
        <translation>+ 粘贴链接</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>已下载</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>下载中</translation>
    </message>
    <message>
        <source>Downloading: </source>
        <translation>正在下载：</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>正在加载...</translation>
    </message>
    <message>
        <source>No</source>
        <translation>否</translation>
    </message>
    <message>
        <source>Open Download Folder</source>
        <translation>打开下载文件夹</translation>
    </message>
    <message>
        <source>Restart the PC after all items are completed.</source>
        <translation>全部完成后重启电脑。</translation>
    </message>
    <message>
        <source>There are some tasks running, do you want to exit application?</source>
        <translation>有任务正在运行，确定要退出吗？</translation>
    </message>
    <message>
        <source>Total Speed: </source>
        <translation>总速度：</translation>
    </message>
    <message>
        <source>Turn off the PC after all items are completed.</source>
        <translation>全部完成后关闭电脑。</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>是</translation>
    </message>
    <message>
        <source>,  our developer team will solve the problem ASAP.</source>
        <translation>，我们的开发团队会尽快解决。</translation>
    </message>
    <message>
        <source>No Links in Clipboard. Please copy a link from the browser.</source>
        <translation>剪贴板中没有链接，请从浏览器复制链接。</translation>
    </message>
    <message>
        <source>The link is analyzing or downloading now, Please wait the process finished.</source>
        <translation>该链接正在解析或下载，请等待完成。</translation>
    </message>
    <message>
        <source>This URL can't be supported.  Please send the URL to </source>
        <translation>暂不支持此链接。请将链接发送至 </translation>
    </message>
</context>
<context>
    <name>DLItemData</name>
    <message>
        <source>Analyzing...</source>
        <translation>正在解析...</translation>
    </message>
</context>
<context>
    <name>Subtitles</name>
    <message>
        <source>Chinese </source>
        <translation>中文 </translation>
    </message>
    <message>
        <source>Dutch </source>
        <translation>荷兰语 </translation>
    </message>
    <message>
        <source>English </source>
        <translation>英语 </translation>
    </message>
    <message>
        <source>French </source>
        <translation>法语 </translation>
    </message>
    <message>
        <source>German</source>
        <translation>德语</translation>
    </message>
    <message>
        <source>Italian </source>
        <translation>意大利语 </translation>
    </message>
    <message>
        <source>Portuguese </source>
        <translation>葡萄牙语 </translation>
    </message>
    <message>
        <source>Spanish </source>
        <translation>西班牙语 </translation>
    </message>
    <message>
        <source>Bengal </source>
        <translation>孟加拉语 </translation>
    </message>
    <message>
        <source>Croatia </source>
        <translation>克罗地亚语 </translation>
    </message>
    <message>
        <source>Czech </source>
        <translation>捷克语 </translation>
    </message>
    <message>
        <source>Danish </source>
        <translation>丹麦语 </translation>
    </message>
    <message>
        <source>Greek </source>
        <translation>希腊语 </translation>
    </message>
    <message>
        <source>Hebrew </source>
        <translation>希伯来语 </translation>
    </message>
    <message>
        <source>Hindi </source>
        <translation>印地语 </translation>
    </message>
    <message>
        <source>Hungarian </source>
        <translation>匈牙利语 </translation>
    </message>
    <message>
        <source>Indonesia </source>
        <translation>印度尼西亚语 </translation>
    </message>
    <message>
        <source>Japanese </source>
        <translation>日语 </translation>
    </message>
    <message>
        <source>Korean </source>
        <translation>韩语 </translation>
    </message>
    <message>
        <source>Malay </source>
        <translation>马来语 </translation>
    </message>
    <message>
        <source>Farsi </source>
        <translation>波斯语 </translation>
    </message>
    <message>
        <source>Polish </source>
        <translation>波兰语 </translation>
    </message>
    <message>
        <source>Romanian </source>
        <translation>罗马尼亚语 </translation>
    </message>
    <message>
        <source>Russian </source>
        <translation>俄语 </translation>
    </message>
    <message>
        <source>Serbian </source>
        <translation>塞尔维亚语 </translation>
    </message>
    <message>
        <source>Swedish </source>
        <translation>瑞典语 </translation>
    </message>
    <message>
        <source>Thai </source>
        <translation>泰语 </translation>
    </message>
    <message>
        <source>Turkish </source>
        <translation>土耳其语 </translation>
    </message>
    <message>
        <source>Uhl Du </source>
        <translation>乌尔都语 </translation>
    </message>
    <message>
        <source>Vietnamese </source>
        <translation>越南语 </translation>
    </message>
    <message>
        <source>Catalan </source>
        <translation>加泰罗尼亚语 </translation>
    </message>
    <message>
        <source>Latvia </source>
        <translation>拉脱维亚语 </translation>
    </message>
    <message>
        <source>Lithuania </source>
        <translation>立陶宛语 </translation>
    </message>
    <message>
        <source>Norwegian </source>
        <translation>挪威语 </translation>
    </message>
    <message>
        <source>Slovakia </source>
        <translation>斯洛伐克语 </translation>
    </message>
    <message>
        <source>Slovenia </source>
        <translation>斯洛文尼亚语 </translation>
    </message>
    <message>
        <source>Bulgarian </source>
        <translation>保加利亚语 </translation>
    </message>
    <message>
        <source>Ukraine </source>
        <translation>乌克兰语 </translation>
    </message>
    <message>
        <source>Filipino </source>
        <translation>菲律宾语 </translation>
    </message>
    <message>
        <source>Finnish </source>
        <translation>芬兰语 </translation>
    </message>
    <message>
        <source>South African </source>
        <translation>南非荷兰语 </translation>
    </message>
    <message>
        <source>romansh </source>
        <translation>罗曼什语 </translation>
    </message>
    <message>
        <source>Burmese </source>
        <translation>缅甸语 </translation>
    </message>
    <message>
        <source>Kampuchea </source>
        <translation>高棉语 </translation>
    </message>
    <message>
        <source>Am ha </source>
        <translation>阿姆哈拉语 </translation>
    </message>
    <message>
        <source>Belarus </source>
        <translation>白俄罗斯语 </translation>
    </message>
    <message>
        <source>Estonia </source>
        <translation>爱沙尼亚语 </translation>
    </message>
    <message>
        <source>Swahili </source>
        <translation>斯瓦希里语 </translation>
    </message>
    <message>
        <source>Zulu </source>
        <translation>祖鲁语 </translation>
    </message>
    <message>
        <source>Azerbaijani </source>
        <translation>阿塞拜疆语 </translation>
    </message>
    <message>
        <source>Armenia </source>
        <translation>亚美尼亚语 </translation>
    </message>
    <message>
        <source>Georgian </source>
        <translation>格鲁吉亚语 </translation>
    </message>
    <message>
        <source>Laotian </source>
        <translation>老挝语 </translation>
    </message>
    <message>
        <source>Mongolian </source>
        <translation>蒙古语 </translation>
    </message>
    <message>
        <source>Nepalese </source>
        <translation>尼泊尔语 </translation>
    </message>
    <message>
        <source>Kazakh </source>
        <translation>哈萨克语 </translation>
    </message>
    <message>
        <source>Sinhala </source>
        <translation>僧伽罗语 </translation>
    </message>
    <message>
        <source>Arabic </source>
        <translation>阿拉伯语 </translation>
    </message>
    <message>
        <source>Simplified</source>
        <translation>简体</translation>
    </message>
    <message>
        <source>Traditional</source>
        <translation>繁体</translation>
    </message>
    <message>
        <source>Hong Kong</source>
        <translation>香港</translation>
    </message>
    <message>
        <source>USA</source>
        <translation>美国</translation>
    </message>
    <message>
        <source>Australia</source>
        <translation>澳大利亚</translation>
    </message>
    <message>
        <source>Canada</source>
        <translation>加拿大</translation>
    </message>
    <message>
        <source>India</source>
        <translation>印度</translation>
    </message>
    <message>
        <source>Ireland</source>
        <translation>爱尔兰</translation>
    </message>
    <message>
        <source>Iraq</source>
        <translation>伊拉克</translation>
    </message>
    <message>
        <source>New Zealand</source>
        <translation>新西兰</translation>
    </message>
    <message>
        <source>Singapore</source>
        <translation>新加坡</translation>
    </message>
    <message>
        <source>Britain</source>
        <translation>英国</translation>
    </message>
    <message>
        <source>Switzerland</source>
        <translation>瑞士</translation>
    </message>
    <message>
        <source>Cyril</source>
        <translation>西里尔</translation>
    </message>
    <message>
        <source>Egypt</source>
        <translation>埃及</translation>
    </message>
    <message>
        <source>Libya</source>
        <translation>利比亚</translation>
    </message>
    <message>
        <source>Algeria</source>
        <translation>阿尔及利亚</translation>
    </message>
    <message>
        <source>Morocco</source>
        <translation>摩洛哥</translation>
    </message>
    <message>
        <source>Tunisia</source>
        <translation>突尼斯</translation>
    </message>
    <message>
        <source>Oman</source>
        <translation>阿曼</translation>
    </message>
    <message>
        <source>Yemen</source>
        <translation>也门</translation>
    </message>
    <message>
        <source>Syria</source>
        <translation>叙利亚</translation>
    </message>
    <message>
        <source>JORDAN</source>
        <translation>约旦</translation>
    </message>
    <message>
        <source>Lebanon</source>
        <translation>黎巴嫩</translation>
    </message>
    <message>
        <source>Kuwait</source>
        <translation>科威特</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: clipwright [URL...]
       clipwright --version | --help

Adds the links to the download queue, as &quot;+ Paste URL&quot; does with copied links.
When Clipwright is already running, the links go to the running copy, its window
comes to the front and this command ends at once.

  -v, --version          print the version and exit
  -h, --help             print this help and exit
  --components           show the downloader components in use
  --update-components    check for and install newer downloader components
  --rollback-components  switch the downloader components back to their previous versions
</source>
        <translation>用法：clipwright [URL...]
      clipwright --version | --help

把链接加入下载队列，与“+ 粘贴链接”处理复制的链接一样。
如果 Clipwright 已在运行，链接会交给正在运行的程序，其窗口来到前台，
本命令随即结束。

  -v, --version          显示版本并退出
  -h, --help             显示本帮助并退出
  --components           显示正在使用的下载器组件
  --update-components    检查并安装更新的下载器组件
  --rollback-components  把下载器组件切换回之前的版本
</translation>
    </message>
</context>
<context>
    <name>RunningCopy</name>
    <message>
        <source>Clipwright is already running but did not take the links.</source>
        <translation>Clipwright 已在运行，但没有接收这些链接。</translation>
    </message>
</context>
<context>
    <name>SChannelItem</name>
    <message>
        <source>Downloaded</source>
        <translation>已下载</translation>
    </message>
</context>
<context>
    <name>DownloadQueue</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>The disk is full: %1. Every download is paused; free some space there, then resume them.</source>
        <translation>磁盘已满：%1。所有下载均已暂停；请在该处腾出空间后再继续下载。</translation>
    </message>
</context>
<context>
    <name>FailureReason</name>
    <message>
        <source>the disk is full</source>
        <translation>磁盘已满</translation>
    </message>
    <message>
        <source>the downloader may be outdated</source>
        <translation>下载器可能已过时</translation>
    </message>
    <message>
        <source>the site asks to slow down</source>
        <translation>网站要求放慢请求</translation>
    </message>
    <message>
        <source>login required</source>
        <translation>需要登录</translation>
    </message>
    <message>
        <source>unsupported link</source>
        <translation>不支持的链接</translation>
    </message>
    <message>
        <source>not available in your country</source>
        <translation>在你所在的国家/地区不可用</translation>
    </message>
    <message>
        <source>age confirmation needed</source>
        <translation>需要年龄验证</translation>
    </message>
    <message>
        <source>members only</source>
        <translation>仅限会员</translation>
    </message>
    <message>
        <source>account terminated</source>
        <translation>账号已被终止</translation>
    </message>
    <message>
        <source>video unavailable or removed</source>
        <translation>视频不可用或已删除</translation>
    </message>
    <message>
        <source>private video</source>
        <translation>私享视频</translation>
    </message>
</context>
</TS>
