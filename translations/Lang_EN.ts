<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CheckQURLItem</name>
    <message>
        <source>The video is part of the playlist. Do you want to download the clip only or download all palylist?</source>
        <translation>The video is part of the playlist. Do you want to download the clip only or download all palylist?</translation>
    </message>
    <message>
        <source>Download Clip</source>
        <translation>Download Clip</translation>
    </message>
    <message>
        <source>Download Playlist</source>
        <translation>Download Playlist</translation>
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
        <translation>Ver: </translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation>Homepage</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>Check for Updates</source>
        <translation>Check for Updates</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
</context>
<context>
    <name>DoRaDuvoZezavi</name>
    <message>
        <source>Loading..</source>
        <translation>Loading..</translation>
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
        <translation>Loading...</translation>
    </message>
</context>
<context>
    <name>MyMessageDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
</context>
<context>
    <name>SQualityItem</name>
    <message>
        <source>Audio Only</source>
        <translation>Audio Only</translation>
    </message>
</context>
<context>
    <name>SelectQualityWidget</name>
    <message>
        <source>Choose Quality:</source>
        <translation>Choose Quality:</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Download Subtitles</source>
        <translation>Download Subtitles</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>auto-generated</source>
        <translation>auto-generated</translation>
    </message>
</context>
<context>
    <name>HDquality</name>
    <message>
        <source>Audio Only</source>
        <translation>Audio Only</translation>
    </message>
</context>
<context>
    <name>SelectChannel2Widget</name>
    <message>
        <source>Choose Videos:</source>
        <translation>Choose Videos:</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Export links to TXT file.</source>
        <translation>Export links to TXT file.</translation>
    </message>
    <message>
        <source>Download Subtitles</source>
        <translation>Download Subtitles</translation>
    </message>
    <message>
        <source>Choose Quality:</source>
        <translation>Choose Quality:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Playlist</source>
        <translation>Playlist</translation>
    </message>
    <message>
        <source> Videos</source>
        <translation> Videos</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Save File</translation>
    </message>
</context>
<context>
    <name>ToolKitManagerWidget</name>
    <message>
        <source>Video Cutter</source>
        <translation>Video Cutter</translation>
    </message>
    <message>
        <source>Video Joiner</source>
        <translation>Video Joiner</translation>
    </message>
    <message>
        <source>Video Spliter</source>
        <translation>Video Spliter</translation>
    </message>
    <message>
        <source>Video Rotater</source>
        <translation>Video Rotater</translation>
    </message>
    <message>
        <source>Video Add Audio</source>
        <translation>Video Add Audio</translation>
    </message>
    <message>
        <source>Format Converter</source>
        <translation>Format Converter</translation>
    </message>
    <message>
        <source>Video Downloader</source>
        <translation>Video Downloader</translation>
    </message>
    <message>
        <source>Cut a video from the input video.</source>
        <translation>Cut a video from the input video.</translation>
    </message>
    <message>
        <source>Connect multiple videos into one video.</source>
        <translation>Connect multiple videos into one video.</translation>
    </message>
    <message>
        <source>Divide the video into multiple segments.</source>
        <translation>Divide the video into multiple segments.</translation>
    </message>
    <message>
        <source>Rotate the angle of the video.</source>
        <translation>Rotate the angle of the video.</translation>
    </message>
    <message>
        <source>Add audio to the video files.</source>
        <translation>Add audio to the video files.</translation>
    </message>
    <message>
        <source>Converting the format of video files.</source>
        <translation>Converting the format of video files.</translation>
    </message>
    <message>
        <source>Download videos from multiple online video sites.</source>
        <translation>Download videos from multiple online video sites.</translation>
    </message>
</context>
<context>
    <name>VideoAddAudioWidget</name>
    <message>
        <source>Step1:</source>
        <translation>Step1:</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the video file that need to add audio.</source>
        <translation>Click the &quot;+&quot; button below to select the video file that need to add audio.</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>Step2:</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the audio file.</source>
        <translation>Click the &quot;+&quot; button below to select the audio file.</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>Step3:</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>Click the &quot;Start&quot; button below to start the conversion.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Converting...</translation>
    </message>
    <message>
        <source>Adding audio completed.</source>
        <translation>Adding audio completed.</translation>
    </message>
    <message>
        <source>Adding audio failed.</source>
        <translation>Adding audio failed.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>VideoConverterWidget</name>
    <message>
        <source>Step1:</source>
        <translation>Step1:</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be converted.</source>
        <translation>Click the &quot;+&quot; button below to select the file that need to be converted.</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>Step2:</translation>
    </message>
    <message>
        <source>Select the target format that need to be converted.</source>
        <translation>Select the target format that need to be converted.</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>Step3:</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>Click the &quot;Start&quot; button below to start the conversion.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Select files to the conversion</source>
        <translation>Select files to the conversion</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Conversion completed.</source>
        <translation>Conversion completed.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Converting</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Converting...</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Converted</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>Conversion failed.</translation>
    </message>
    <message>
        <source>Conversion failed for %1 of %2 files.</source>
        <translation>Conversion failed for %1 of %2 files.</translation>
    </message>
</context>
<context>
    <name>VideoCutterWidget</name>
    <message>
        <source>Step1:</source>
        <translation>Step1:</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be cut.</source>
        <translation>Click the &quot;+&quot; button below to select the file that need to be cut.</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>Step2:</translation>
    </message>
    <message>
        <source>Enter start time and duration seconds.</source>
        <translation>Enter start time and duration seconds.</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>Step3:</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>Click the &quot;Start&quot; button below to start the conversion.</translation>
    </message>
    <message>
        <source>Start time:</source>
        <translation>Start time:</translation>
    </message>
    <message>
        <source>Cut duration:</source>
        <translation>Cut duration:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>The current video duration is: </source>
        <translation>The current video duration is: </translation>
    </message>
    <message>
        <source>The  &quot;Start time&quot;  value ranges from 0 to </source>
        <translation>The  &quot;Start time&quot;  value ranges from 0 to </translation>
    </message>
    <message>
        <source> seconds</source>
        <translation> seconds</translation>
    </message>
    <message>
        <source>and the  &quot;Cut duration&quot;  value ranges from 2 to </source>
        <translation>and the  &quot;Cut duration&quot;  value ranges from 2 to </translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Read file failed, Please try again.</source>
        <translation>Read file failed, Please try again.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cut completed.</source>
        <translation>Cut completed.</translation>
    </message>
    <message>
        <source>Cut failed.</source>
        <translation>Cut failed.</translation>
    </message>
</context>
<context>
    <name>VideoJionerWidget</name>
    <message>
        <source>Step1:</source>
        <translation>Step1:</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be jion.</source>
        <translation>Click the &quot;+&quot; button below to select the file that need to be jion.</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>Step2:</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>Click the &quot;Start&quot; button below to start the conversion.</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Select files to the conversion</source>
        <translation>Select files to the conversion</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Converting...</translation>
    </message>
    <message>
        <source>Conversion completed.</source>
        <translation>Conversion completed.</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>Conversion failed.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>VideoRotateWidget</name>
    <message>
        <source>Step1:</source>
        <translation>Step1:</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be rotate.</source>
        <translation>Click the &quot;+&quot; button below to select the file that need to be rotate.</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>Step2:</translation>
    </message>
    <message>
        <source>Select the angle of rotation.</source>
        <translation>Select the angle of rotation.</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>Step3:</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>Click the &quot;Start&quot; button below to start the conversion.</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Select files to the conversion</source>
        <translation>Select files to the conversion</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>Conversion completed.</source>
        <translation>Conversion completed.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Converting</source>
        <translation>Converting</translation>
    </message>
    <message>
        <source>Converting...</source>
        <translation>Converting...</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Converted</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>Conversion failed.</source>
        <translation>Conversion failed.</translation>
    </message>
    <message>
        <source>Conversion failed for %1 of %2 files.</source>
        <translation>Conversion failed for %1 of %2 files.</translation>
    </message>
</context>
<context>
    <name>VideoSpliterWidget</name>
    <message>
        <source>Step1:</source>
        <translation>Step1:</translation>
    </message>
    <message>
        <source>Click the &quot;+&quot; button below to select the file that need to be splite.</source>
        <translation>Click the &quot;+&quot; button below to select the file that need to be splite.</translation>
    </message>
    <message>
        <source>Step2:</source>
        <translation>Step2:</translation>
    </message>
    <message>
        <source>Enter the number of segments separated.</source>
        <translation>Enter the number of segments separated.</translation>
    </message>
    <message>
        <source>Step3:</source>
        <translation>Step3:</translation>
    </message>
    <message>
        <source>Click the &quot;Start&quot; button below to start the conversion.</source>
        <translation>Click the &quot;Start&quot; button below to start the conversion.</translation>
    </message>
    <message>
        <source>Split Count:</source>
        <translation>Split Count:</translation>
    </message>
    <message>
        <source>Split Duration:</source>
        <translation>Split Duration:</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Divide the video into segments, Please enter a number greater than 0.</source>
        <translation>Divide the video into segments, Please enter a number greater than 0.</translation>
    </message>
    <message>
        <source> The current video duration is: </source>
        <translation> The current video duration is: </translation>
    </message>
    <message>
        <source> , The each segment video will be divided into :</source>
        <translation> , The each segment video will be divided into :</translation>
    </message>
    <message>
        <source>Segmentation by length of time, Enter seconds of a segments. </source>
        <translation>Segmentation by length of time, Enter seconds of a segments. </translation>
    </message>
    <message>
        <source>The current video duration is: </source>
        <translation>The current video duration is: </translation>
    </message>
    <message>
        <source> , It will split to </source>
        <translation> , It will split to </translation>
    </message>
    <message>
        <source> files.</source>
        <translation> files.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Splite completed.</source>
        <translation>Splite completed.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Read file failed, Please try again.</source>
        <translation>Read file failed, Please try again.</translation>
    </message>
    <message>
        <source>Splitting failed.</source>
        <translation>Splitting failed.</translation>
    </message>
    <message>
        <source>Splitting failed for %1 of %2 pieces.</source>
        <translation>Splitting failed for %1 of %2 pieces.</translation>
    </message>
</context>
<context>
    <name>SettingWidget</name>
    <message>
        <source>Preferences</source>
        <translation>Preferences</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Proxy</source>
        <translation>Proxy</translation>
    </message>
    <message>
        <source>Auto Download</source>
        <translation>Auto Download</translation>
    </message>
    <message>
        <source>Download Cache</source>
        <translation>Download Cache</translation>
    </message>
    <message>
        <source>Downloader</source>
        <translation>Downloader</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>NormalSetWidget</name>
    <message>
        <source>All the finished:</source>
        <translation>All the finished:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Restart</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Shutdown</translation>
    </message>
    <message>
        <source>Save to:</source>
        <translation>Save to:</translation>
    </message>
    <message>
        <source>Auto check new version.</source>
        <translation>Auto check new version.</translation>
    </message>
    <message>
        <source>Download video format convert to MP4.</source>
        <translation>Download video format convert to MP4.</translation>
    </message>
    <message>
        <source>Download audio format convert to MP3.</source>
        <translation>Download audio format convert to MP3.</translation>
    </message>
    <message>
        <source>Optimizing Audio Dryness.</source>
        <translation>Optimizing Audio Dryness.</translation>
    </message>
    <message>
        <source>Re-download the failed item after 1 minutes</source>
        <translation>Re-download the failed item after 1 minutes</translation>
    </message>
    <message>
        <source>Simultaneously download links:</source>
        <translation>Simultaneously download links:</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>Select Download Directory</source>
        <translation>Select Download Directory</translation>
    </message>
</context>
<context>
    <name>ConnectWidget</name>
    <message>
        <source>Enabled proxy.</source>
        <translation>Enabled proxy.</translation>
    </message>
    <message>
        <source>Use a proxy server for this connection (These settings will not apply to other connections.)</source>
        <translation>Use a proxy server for this connection (These settings will not apply to other connections.)</translation>
    </message>
    <message>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
</context>
<context>
    <name>AutoDownloadWidget</name>
    <message>
        <source>Enabled auto download.</source>
        <translation>Enabled auto download.</translation>
    </message>
    <message>
        <source>Download subtitles.</source>
        <translation>Download subtitles.</translation>
    </message>
    <message>
        <source>Quality of priority selection:</source>
        <translation>Quality of priority selection:</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
</context>
<context>
    <name>DCacheFolderWidget</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The download cache cannot be moved to this folder. Please choose a folder you can write to.</source>
        <translation>The download cache cannot be moved to this folder. Please choose a folder you can write to.</translation>
    </message>
    <message>
        <source>Download Cache Directory:</source>
        <translation>Download Cache Directory:</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Clean Cache</source>
        <translation>Clean Cache</translation>
    </message>
    <message>
        <source>Note: 
It can change the download cache directory or empty the download cache directory only when no tasks are being download, Otherwise it may lead to unintended consequences.</source>
        <translation>Note: 
It can change the download cache directory or empty the download cache directory only when no tasks are being download, Otherwise it may lead to unintended consequences.</translation>
    </message>
    <message>
        <source>Select Download Cache Directory</source>
        <translation>Select Download Cache Directory</translation>
    </message>
</context>
<context>
    <name>DownloaderSetWidget</name>
    <message>
        <source>Downloader (yt-dlp):</source>
        <translation>Downloader (yt-dlp):</translation>
    </message>
    <message>
        <source>JavaScript runtime:</source>
        <translation>JavaScript runtime:</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Check for updates</translation>
    </message>
    <message>
        <source>Roll back</source>
        <translation>Roll back</translation>
    </message>
    <message>
        <source>Keep the downloader up to date automatically</source>
        <translation>Keep the downloader up to date automatically</translation>
    </message>
    <message>
        <source>A new version is used only after its checksum and yt-dlp&apos;s signature are verified and it has started once; the previous version is kept for a roll-back. The downloader is kept in:</source>
        <translation>A new version is used only after its checksum and yt-dlp&apos;s signature are verified and it has started once; the previous version is kept for a roll-back. The downloader is kept in:</translation>
    </message>
    <message>
        <source>%1, installed by Clipwright</source>
        <translation>%1, installed by Clipwright</translation>
    </message>
    <message>
        <source>%1, found at %2</source>
        <translation>%1, found at %2</translation>
    </message>
    <message>
        <source>Not installed</source>
        <translation>Not installed</translation>
    </message>
    <message>
        <source>%1; previous %2</source>
        <translation>%1; previous %2</translation>
    </message>
    <message>
        <source>deno %1, installed by Clipwright</source>
        <translation>deno %1, installed by Clipwright</translation>
    </message>
    <message>
        <source>node, found on this computer</source>
        <translation>node, found on this computer</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Checking for updates...</source>
        <translation>Checking for updates...</translation>
    </message>
    <message>
        <source>Downloading %1: %2 of %3</source>
        <translation>Downloading %1: %2 of %3</translation>
    </message>
    <message>
        <source>Downloading %1: %2</source>
        <translation>Downloading %1: %2</translation>
    </message>
    <message>
        <source>%1: back to %2</source>
        <translation>%1: back to %2</translation>
    </message>
    <message>
        <source>%1: no previous version to go back to</source>
        <translation>%1: no previous version to go back to</translation>
    </message>
    <message>
        <source>%1: %2 is the latest version</source>
        <translation>%1: %2 is the latest version</translation>
    </message>
    <message>
        <source>%1: %2 stays, since %3 was rolled back</source>
        <translation>%1: %2 stays, since %3 was rolled back</translation>
    </message>
    <message>
        <source>%1: %2 installed</source>
        <translation>%1: %2 installed</translation>
    </message>
    <message>
        <source>%1: updated from %2 to %3</source>
        <translation>%1: updated from %2 to %3</translation>
    </message>
    <message>
        <source>the release could not be read</source>
        <translation>the release could not be read</translation>
    </message>
    <message>
        <source>the download failed</source>
        <translation>the download failed</translation>
    </message>
    <message>
        <source>the checksum did not match</source>
        <translation>the checksum did not match</translation>
    </message>
    <message>
        <source>the signature is missing or wrong</source>
        <translation>the signature is missing or wrong</translation>
    </message>
    <message>
        <source>the archive could not be unpacked</source>
        <translation>the archive could not be unpacked</translation>
    </message>
    <message>
        <source>the new version did not start properly</source>
        <translation>the new version did not start properly</translation>
    </message>
    <message>
        <source>it could not be installed</source>
        <translation>it could not be installed</translation>
    </message>
    <message>
        <source>nothing was installed</source>
        <translation>nothing was installed</translation>
    </message>
    <message>
        <source>%1 stays in use</source>
        <translation>%1 stays in use</translation>
    </message>
    <message>
        <source>%1: not updated, %2; %3.</source>
        <translation>%1: not updated, %2; %3.</translation>
    </message>
</context>
<context>
    <name>SupportQWidget</name>
    <message>
        <source>If you have any questions for this software, Please contact to us!</source>
        <translation>If you have any questions for this software, Please contact to us!</translation>
    </message>
    <message>
        <source>WeiXin: Scan Code</source>
        <translation>WeiXin: Scan Code</translation>
    </message>
    <message>
        <source>WeiXin ID: </source>
        <translation>WeiXin ID: </translation>
    </message>
    <message>
        <source>Email: </source>
        <translation>Email: </translation>
    </message>
</context>
<context>
    <name>UpdateWidget</name>
    <message>
        <source>Could not check for a new version. Please check your network connection and try again.</source>
        <translation>Could not check for a new version. Please check your network connection and try again.</translation>
    </message>
    <message>
        <source>Clipwright</source>
        <translation>Clipwright</translation>
    </message>
    <message>
        <source>Update Now</source>
        <translation>Update Now</translation>
    </message>
    <message>
        <source>Remind me Later</source>
        <translation>Remind me Later</translation>
    </message>
    <message>
        <source>The current version is the latest version</source>
        <translation>The current version is the latest version</translation>
    </message>
    <message>
        <source>A new version is available for </source>
        <translation>A new version is available for </translation>
    </message>
</context>
<context>
    <name>DLItemWidget</name>
    <message>
        <source> Automatically re-download after %1 minutes. </source>
        <translation> Automatically re-download after %1 minutes. </translation>
    </message>
    <message>
        <source>Download Failed: %1.</source>
        <translation>Download Failed: %1.</translation>
    </message>
    <message>
        <source>Analyzing Failed: %1.</source>
        <translation>Analyzing Failed: %1.</translation>
    </message>
    <message>
        <source>Not enough disk space in %1</source>
        <translation>Not enough disk space in %1</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Resolution:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Duration:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source> Automatically re-download after </source>
        <translation> Automatically re-download after </translation>
    </message>
    <message>
        <source> seconds. </source>
        <translation> seconds. </translation>
    </message>
    <message>
        <source> Remaining: </source>
        <translation> Remaining: </translation>
    </message>
    <message>
        <source>Analyzing Failed.</source>
        <translation>Analyzing Failed.</translation>
    </message>
    <message>
        <source>Analyzing...</source>
        <translation>Analyzing...</translation>
    </message>
    <message>
        <source>Completed: </source>
        <translation>Completed: </translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation>Copy URL</translation>
    </message>
    <message>
        <source>Download Failed.</source>
        <translation>Download Failed.</translation>
    </message>
    <message>
        <source>Download success.</source>
        <translation>Download success.</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Downloading...</translation>
    </message>
    <message>
        <source>Pause All</source>
        <translation>Pause All</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Paused...</source>
        <translation>Paused...</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Remove All</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Resume All</source>
        <translation>Resume All</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Resume</translation>
    </message>
    <message>
        <source>Waiting...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>Update the downloader</source>
        <translation>Update the downloader</translation>
    </message>
</context>
<context>
    <name>DLListWidget</name>
    <message>
        <source>No item is downloading, Please paste a link to start downloading.</source>
        <translation>No item is downloading, Please paste a link to start downloading.</translation>
    </message>
</context>
<context>
    <name>FinishedItemWidget</name>
    <message>
        <source>Duration:</source>
        <translation>Duration:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Size:</translation>
    </message>
    <message>
        <source>Copy URL</source>
        <translation>Copy URL</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation>Remove All</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
</context>
<context>
    <name>FinishedListWidget</name>
    <message>
        <source>No item had downloaded, Please paste a link to start downloading.</source>
        <translation>No item had downloaded, Please paste a link to start downloading.</translation>
    </message>
</context>
<context>
    <name>DLManagerWidget</name>
    <message>
        <source>... and %1 more</source>
        <translation>... and %1 more</translation>
    </message>
    <message>
        <source>This link is already in the queue.</source>
        <translation>This link is already in the queue.</translation>
    </message>
    <message>
        <source>These links are already in the queue:</source>
        <translation>These links are already in the queue:</translation>
    </message>
    <message>
        <source>Download them again?</source>
        <translation>Download them again?</translation>
    </message>
    <message>
        <source>These videos were already downloaded:</source>
        <translation>These videos were already downloaded:</translation>
    </message>
    <message>
        <source>This video was already downloaded to %1. Download it again?</source>
        <translation>This video was already downloaded to %1. Download it again?</translation>
    </message>
    <message>
        <source>This video was already downloaded on %1 to %2. Download it again?</source>
        <translation>This video was already downloaded on %1 to %2. Download it again?</translation>
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
        <translation>Unlimited</translation>
    </message>
    <message>
        <source> Video(s)</source>
        <translation> Video(s)</translation>
    </message>
    <message>
        <source> video(s) were failed to download last time. Restore download(s)?</source>
        <translation> video(s) were failed to download last time. Restore download(s)?</translation>
    </message>
    <message>
        <source>+ Paste URL</source>
        <translation>+ Paste URL</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation>Downloaded</translation>
    </message>
    <message>
        <source>Downloading</source>
        <translation>Downloading</translation>
    </message>
    <message>
        <source>Downloading: </source>
        <translation>Downloading: </translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Open Download Folder</source>
        <translation>Open Download Folder</translation>
    </message>
    <message>
        <source>Restart the PC after all items are completed.</source>
        <translation>Restart the PC after all items are completed.</translation>
    </message>
    <message>
        <source>There are some tasks running, do you want to exit application?</source>
        <translation>There are some tasks running, do you want to exit application?</translation>
    </message>
    <message>
        <source>Total Speed: </source>
        <translation>Total Speed: </translation>
    </message>
    <message>
        <source>Turn off the PC after all items are completed.</source>
        <translation>Turn off the PC after all items are completed.</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>,  our developer team will solve the problem ASAP.</source>
        <translation>,  our developer team will solve the problem ASAP.</translation>
    </message>
    <message>
        <source>No Links in Clipboard. Please copy a link from the browser.</source>
        <translation>No Links in Clipboard. Please copy a link from the browser.</translation>
    </message>
    <message>
        <source>The link is analyzing or downloading now, Please wait the process finished.</source>
        <translation>The link is analyzing or downloading now, Please wait the process finished.</translation>
    </message>
    <message>
        <source>This URL can't be supported.  Please send the URL to </source>
        <translation>This URL can't be supported.  Please send the URL to </translation>
    </message>
</context>
<context>
    <name>DLItemData</name>
    <message>
        <source>Analyzing...</source>
        <translation>Analyzing...</translation>
    </message>
</context>
<context>
    <name>Subtitles</name>
    <message>
        <source>Chinese </source>
        <translation>Chinese </translation>
    </message>
    <message>
        <source>Dutch </source>
        <translation>Dutch </translation>
    </message>
    <message>
        <source>English </source>
        <translation>English </translation>
    </message>
    <message>
        <source>French </source>
        <translation>French </translation>
    </message>
    <message>
        <source>German</source>
        <translation>German</translation>
    </message>
    <message>
        <source>Italian </source>
        <translation>Italian </translation>
    </message>
    <message>
        <source>Portuguese </source>
        <translation>Portuguese </translation>
    </message>
    <message>
        <source>Spanish </source>
        <translation>Spanish </translation>
    </message>
    <message>
        <source>Bengal </source>
        <translation>Bengal </translation>
    </message>
    <message>
        <source>Croatia </source>
        <translation>Croatia </translation>
    </message>
    <message>
        <source>Czech </source>
        <translation>Czech </translation>
    </message>
    <message>
        <source>Danish </source>
        <translation>Danish </translation>
    </message>
    <message>
        <source>Greek </source>
        <translation>Greek </translation>
    </message>
    <message>
        <source>Hebrew </source>
        <translation>Hebrew </translation>
    </message>
    <message>
        <source>Hindi </source>
        <translation>Hindi </translation>
    </message>
    <message>
        <source>Hungarian </source>
        <translation>Hungarian </translation>
    </message>
    <message>
        <source>Indonesia </source>
        <translation>Indonesia </translation>
    </message>
    <message>
        <source>Japanese </source>
        <translation>Japanese </translation>
    </message>
    <message>
        <source>Korean </source>
        <translation>Korean </translation>
    </message>
    <message>
        <source>Malay </source>
        <translation>Malay </translation>
    </message>
    <message>
        <source>Farsi </source>
        <translation>Farsi </translation>
    </message>
    <message>
        <source>Polish </source>
        <translation>Polish </translation>
    </message>
    <message>
        <source>Romanian </source>
        <translation>Romanian </translation>
    </message>
    <message>
        <source>Russian </source>
        <translation>Russian </translation>
    </message>
    <message>
        <source>Serbian </source>
        <translation>Serbian </translation>
    </message>
    <message>
        <source>Swedish </source>
        <translation>Swedish </translation>
    </message>
    <message>
        <source>Thai </source>
        <translation>Thai </translation>
    </message>
    <message>
        <source>Turkish </source>
        <translation>Turkish </translation>
    </message>
    <message>
        <source>Uhl Du </source>
        <translation>Uhl Du </translation>
    </message>
    <message>
        <source>Vietnamese </source>
        <translation>Vietnamese </translation>
    </message>
    <message>
        <source>Catalan </source>
        <translation>Catalan </translation>
    </message>
    <message>
        <source>Latvia </source>
        <translation>Latvia </translation>
    </message>
    <message>
        <source>Lithuania </source>
        <translation>Lithuania </translation>
    </message>
    <message>
        <source>Norwegian </source>
        <translation>Norwegian </translation>
    </message>
    <message>
        <source>Slovakia </source>
        <translation>Slovakia </translation>
    </message>
    <message>
        <source>Slovenia </source>
        <translation>Slovenia </translation>
    </message>
    <message>
        <source>Bulgarian </source>
        <translation>Bulgarian </translation>
    </message>
    <message>
        <source>Ukraine </source>
        <translation>Ukraine </translation>
    </message>
    <message>
        <source>Filipino </source>
        <translation>Filipino </translation>
    </message>
    <message>
        <source>Finnish </source>
        <translation>Finnish </translation>
    </message>
    <message>
        <source>South African </source>
        <translation>South African </translation>
    </message>
    <message>
        <source>romansh </source>
        <translation>romansh </translation>
    </message>
    <message>
        <source>Burmese </source>
        <translation>Burmese </translation>
    </message>
    <message>
        <source>Kampuchea </source>
        <translation>Kampuchea </translation>
    </message>
    <message>
        <source>Am ha </source>
        <translation>Am ha </translation>
    </message>
    <message>
        <source>Belarus </source>
        <translation>Belarus </translation>
    </message>
    <message>
        <source>Estonia </source>
        <translation>Estonia </translation>
    </message>
    <message>
        <source>Swahili </source>
        <translation>Swahili </translation>
    </message>
    <message>
        <source>Zulu </source>
        <translation>Zulu </translation>
    </message>
    <message>
        <source>Azerbaijani </source>
        <translation>Azerbaijani </translation>
    </message>
    <message>
        <source>Armenia </source>
        <translation>Armenia </translation>
    </message>
    <message>
        <source>Georgian </source>
        <translation>Georgian </translation>
    </message>
    <message>
        <source>Laotian </source>
        <translation>Laotian </translation>
    </message>
    <message>
        <source>Mongolian </source>
        <translation>Mongolian </translation>
    </message>
    <message>
        <source>Nepalese </source>
        <translation>Nepalese </translation>
    </message>
    <message>
        <source>Kazakh </source>
        <translation>Kazakh </translation>
    </message>
    <message>
        <source>Sinhala </source>
        <translation>Sinhala </translation>
    </message>
    <message>
        <source>Arabic </source>
        <translation>Arabic </translation>
    </message>
    <message>
        <source>Simplified</source>
        <translation>Simplified</translation>
    </message>
    <message>
        <source>Traditional</source>
        <translation>Traditional</translation>
    </message>
    <message>
        <source>Hong Kong</source>
        <translation>Hong Kong</translation>
    </message>
    <message>
        <source>USA</source>
        <translation>USA</translation>
    </message>
    <message>
        <source>Australia</source>
        <translation>Australia</translation>
    </message>
    <message>
        <source>Canada</source>
        <translation>Canada</translation>
    </message>
    <message>
        <source>India</source>
        <translation>India</translation>
    </message>
    <message>
        <source>Ireland</source>
        <translation>Ireland</translation>
    </message>
    <message>
        <source>Iraq</source>
        <translation>Iraq</translation>
    </message>
    <message>
        <source>New Zealand</source>
        <translation>New Zealand</translation>
    </message>
    <message>
        <source>Singapore</source>
        <translation>Singapore</translation>
    </message>
    <message>
        <source>Britain</source>
        <translation>Britain</translation>
    </message>
    <message>
        <source>Switzerland</source>
        <translation>Switzerland</translation>
    </message>
    <message>
        <source>Cyril</source>
        <translation>Cyril</translation>
    </message>
    <message>
        <source>Egypt</source>
        <translation>Egypt</translation>
    </message>
    <message>
        <source>Libya</source>
        <translation>Libya</translation>
    </message>
    <message>
        <source>Algeria</source>
        <translation>Algeria</translation>
    </message>
    <message>
        <source>Morocco</source>
        <translation>Morocco</translation>
    </message>
    <message>
        <source>Tunisia</source>
        <translation>Tunisia</translation>
    </message>
    <message>
        <source>Oman</source>
        <translation>Oman</translation>
    </message>
    <message>
        <source>Yemen</source>
        <translation>Yemen</translation>
    </message>
    <message>
        <source>Syria</source>
        <translation>Syria</translation>
    </message>
    <message>
        <source>JORDAN</source>
        <translation>JORDAN</translation>
    </message>
    <message>
        <source>Lebanon</source>
        <translation>Lebanon</translation>
    </message>
    <message>
        <source>Kuwait</source>
        <translation>Kuwait</translation>
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
        <translation>Usage: clipwright [URL...]
       clipwright --version | --help

Adds the links to the download queue, as &quot;+ Paste URL&quot; does with copied links.
When Clipwright is already running, the links go to the running copy, its window
comes to the front and this command ends at once.

  -v, --version          print the version and exit
  -h, --help             print this help and exit
  --components           show the downloader components in use
  --update-components    check for and install newer downloader components
  --rollback-components  switch the downloader components back to their previous versions
</translation>
    </message>
</context>
<context>
    <name>RunningCopy</name>
    <message>
        <source>Clipwright is already running but did not take the links.</source>
        <translation>Clipwright is already running but did not take the links.</translation>
    </message>
</context>
<context>
    <name>SChannelItem</name>
    <message>
        <source>Downloaded</source>
        <translation>Downloaded</translation>
    </message>
</context>
<context>
    <name>DownloadQueue</name>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>The disk is full: %1. Every download is paused; free some space there, then resume them.</source>
        <translation>The disk is full: %1. Every download is paused; free some space there, then resume them.</translation>
    </message>
</context>
<context>
    <name>FailureReason</name>
    <message>
        <source>the disk is full</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>the downloader may be outdated</source>
        <translation>the downloader may be outdated</translation>
    </message>
    <message>
        <source>the site asks to slow down</source>
        <translation>the site asks to slow down</translation>
    </message>
    <message>
        <source>login required</source>
        <translation>login required</translation>
    </message>
    <message>
        <source>unsupported link</source>
        <translation>unsupported link</translation>
    </message>
    <message>
        <source>not available in your country</source>
        <translation>not available in your country</translation>
    </message>
    <message>
        <source>age confirmation needed</source>
        <translation>age confirmation needed</translation>
    </message>
    <message>
        <source>members only</source>
        <translation>members only</translation>
    </message>
    <message>
        <source>account terminated</source>
        <translation>account terminated</translation>
    </message>
    <message>
        <source>video unavailable or removed</source>
        <translation>video unavailable or removed</translation>
    </message>
    <message>
        <source>private video</source>
        <translation>private video</translation>
    </message>
</context>
</TS>
