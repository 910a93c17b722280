// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, v);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input [3:0] v;
   reg [3:0] r;
   reg [3:0] r1;
   reg idle;
   reg rn;
   reg [3:0] rw;
   reg [3:0] rs;
   reg [1:0] nr;

   always @(posedge m_clock) begin
      if (((a))) r <= v;
      else if (((b))) r <= 4'b0001;
   end

   always @(posedge m_clock) begin
      r1 <= v;
   end

   always @(negedge m_clock) begin
      if (((a))) rn <= b;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) rw <= 4'b0;
      else if (((a))) rw <= v;
      else if (((b))) rw <= 4'b0011;
   end

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) rs <= 4'b1111;
      else rs <= v;
   end

   always @(negedge m_clock or negedge p_reset) begin
      if (!p_reset) nr <= 2'b11;
      else nr <= 2'b10;
   end
endmodule
