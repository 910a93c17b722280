// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, s, a, b, c, x, y);
   input m_clock;
   input p_reset;
   input [3:0] s;
   input [3:0] a;
   input [3:0] b;
   input c;
   output [3:0] x;
   output [3:0] y;
   reg [3:0] r;

   assign x = (((((s==4'h0))))?a:4'b0)|
   ((((~((s==4'h0)))&((s==4'd2))))?b:4'b0)|
   ((((~((s==4'h0))&~((s==4'd2)))&((s==4'd2))))?4'h7:4'b0)|
   (((((~((s==4'h0))&~((s==4'd2))&~((s==4'd2))&~(((s==4'd3)|(s==4'hA)|(s==4'd15)))&~((s==4'hE)))&~((s==2'b11)))))?4'hF:4'b0);

   assign y = ((((~((s==4'h0)))&((s==4'd2))))?a:4'b0)|
   ((((~((s==4'h0))&~((s==4'd2))&~((s==4'd2)))&(((s==4'd3)|(s==4'hA)|(s==4'd15)))))?b:4'b0)|
   ((((~((s==4'h0))&~((s==4'd2))&~((s==4'd2))&~(((s==4'd3)|(s==4'hA)|(s==4'd15)))&~((s==4'hE)))&((s==2'b11))))?a:4'b0)|
   (((c)&(((s==4'd1))))?4'h1:4'b0);

   always @(posedge m_clock or negedge p_reset) begin
      if (!p_reset) r <= 4'b0;
      else if ((((((a&b)==4'd1)))&(((c==1'b1))))) r <= a;
      else if ((((~(((a&b)==4'd1)))&(((a&b)==4'h4))))) r <= b;
   end
endmodule
